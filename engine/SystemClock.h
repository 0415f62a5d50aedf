#ifndef CHIRPWELL_ENGINE_SYSTEMCLOCK_H
#define CHIRPWELL_ENGINE_SYSTEMCLOCK_H

#include "engine/IClock.h"

// The machine's own clock.
class CSystemClock : public IClock {
public:
    std::int64_t Now() override;
};

#endif
