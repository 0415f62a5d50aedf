#ifndef CHIRPWELL_ENGINE_RANDOM_H
#define CHIRPWELL_ENGINE_RANDOM_H

#include <cstdint>

class IClock;

// The program's one random generator: the classic linear congruential generator of
// the C runtime, so that a seed gives the same choices on every platform. The clock
// must outlive it.
class CRandom {
public:
    explicit CRandom(IClock& clock);
    CRandom(const CRandom&) = delete;
    CRandom& operator=(const CRandom&) = delete;

    void Seed(std::uint32_t seed);
    // Seeds with the current time in whole seconds.
    void SeedFromClock();
    // The next number, 0 to 32767.
    int Next();

private:
    IClock& m_clock;
    std::uint32_t m_nState = 1;  // the runtime's state before any seed
};

#endif
