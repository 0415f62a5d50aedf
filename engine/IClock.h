#ifndef CHIRPWELL_ENGINE_ICLOCK_H
#define CHIRPWELL_ENGINE_ICLOCK_H

#include <cstdint>

// The wall clock that seeds the random generator.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::int64_t Now() = 0;  // whole seconds since 1970-01-01 UTC
};

#endif
