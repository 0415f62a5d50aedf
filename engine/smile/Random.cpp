#include "engine/smile/Random.h"

#include "engine/IClock.h"

CRandom::CRandom(IClock& clock) : m_clock(clock) {}

void CRandom::Seed(std::uint32_t seed)
{
    m_nState = seed;
}

void CRandom::SeedFromClock()
{
    // The runtime's seed is an unsigned int: the time is taken modulo 2^32.
    Seed(static_cast<std::uint32_t>(m_clock.Now()));
}

int CRandom::Next()
{
    m_nState = m_nState * kMultiplier + kIncrement;
    return ValueOf(m_nState);
}

void CRandom::StepsOf(std::uint64_t count, std::uint32_t& multiplier, std::uint32_t& increment)
{
    // Square-and-multiply on affine maps: (a, c) then (a', c') is (a'a, a'c + c').
    std::uint32_t a = 1;
    std::uint32_t c = 0;
    std::uint32_t powerA = kMultiplier;
    std::uint32_t powerC = kIncrement;
    while (count != 0) {
        if (count & 1) {
            a = powerA * a;
            c = powerA * c + powerC;
        }
        powerC = powerA * powerC + powerC;
        powerA *= powerA;
        count >>= 1;
    }
    multiplier = a;
    increment = c;
}

std::uint32_t CRandom::StateAfter(std::uint32_t state, std::uint64_t count)
{
    std::uint32_t multiplier = 0;
    std::uint32_t increment = 0;
    StepsOf(count, multiplier, increment);
    return multiplier * state + increment;
}
