#ifndef CHIRPWELL_PROGRAMS_FIXEDCLOCK_H
#define CHIRPWELL_PROGRAMS_FIXEDCLOCK_H

#include <cstdint>

#include "engine/IClock.h"

// A clock that stands at a second of the caller's choosing, so that a given seed
// makes every smile alike: chirpwell-smile's --seed, and the tests.
class CFixedClock : public IClock {
public:
    explicit CFixedClock(std::int64_t now = 0) : m_nNow(now) {}
    std::int64_t Now() override { return m_nNow; }

    std::int64_t m_nNow;
};

#endif
