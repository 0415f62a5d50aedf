#include "engine/Random.h"

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
    m_nState = m_nState * 214013u + 2531011u;
    return static_cast<int>((m_nState >> 16) & 0x7FFF);
}
