#ifndef CHIRPWELL_TESTS_FAKES_FIXEDCLOCK_H
#define CHIRPWELL_TESTS_FAKES_FIXEDCLOCK_H

#include "engine/IClock.h"

// A clock that shows whatever second the test sets.
class CFixedClock : public IClock {
public:
    explicit CFixedClock(std::int64_t now = 0) : m_nNow(now) {}
    std::int64_t Now() override { return m_nNow; }

    std::int64_t m_nNow;
};

#endif
