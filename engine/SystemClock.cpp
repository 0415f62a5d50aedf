#include "engine/SystemClock.h"

#include <ctime>

std::int64_t CSystemClock::Now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}
