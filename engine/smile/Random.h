#ifndef CHIRPWELL_ENGINE_SMILE_RANDOM_H
#define CHIRPWELL_ENGINE_SMILE_RANDOM_H

#include <cstdint>

class IClock;

// The program's one random generator: the classic linear congruential generator of
// the C runtime, so that a seed gives the same choices on every platform. Its state
// after k steps is A_k * state + C_k modulo 2^32, so it can be stepped ahead in bulk.
// The clock must outlive it.
class CRandom {
public:
    static constexpr std::uint32_t kMultiplier = 214013u;
    static constexpr std::uint32_t kIncrement = 2531011u;

    explicit CRandom(IClock& clock);
    CRandom(const CRandom&) = delete;
    CRandom& operator=(const CRandom&) = delete;

    void Seed(std::uint32_t seed);
    // Seeds with the current time in whole seconds.
    void SeedFromClock();
    // The next number, 0 to 32767.
    int Next();

    // The state, which the next call of Next steps from; Seed sets it back.
    std::uint32_t State() const { return m_nState; }
    // As many calls of Next as count, in O(log count) steps.
    void Skip(std::uint64_t count) { m_nState = StateAfter(m_nState, count); }

    // The number a state gives, 0 to 32767.
    static int ValueOf(std::uint32_t state) { return static_cast<int>((state >> 16) & 0x7FFF); }
    // The map of count steps, state -> multiplier * state + increment.
    static void StepsOf(std::uint64_t count, std::uint32_t& multiplier, std::uint32_t& increment);
    static std::uint32_t StateAfter(std::uint32_t state, std::uint64_t count);

private:
    IClock& m_clock;
    std::uint32_t m_nState = 1;  // the runtime's state before any seed
};

#endif
