#include "engine/DrawScan.h"

#include <array>

#include "engine/Random.h"
#include "engine/VectorPath.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define CHIRPWELL_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

// value % 100 < frequency without a division: for value = 100q + r (value < 32768),
// value * ceil(2^32 / 100) is 2^32 q + 42949673 r + 4q, so its low 32 bits are
// 42949673 r + 4q with 4q < 1311, and those are below 42949673 * frequency exactly
// when r < frequency.

namespace {

constexpr std::uint32_t kReciprocal = 42949673u;  // ceil(2^32 / 100)

// The maps of 1 to kLanes steps; kLanes steps of one lane are the last of them.
constexpr std::size_t kLanes = 32;

struct CStepTable {
    std::array<std::uint32_t, kLanes> m_multipliers;
    std::array<std::uint32_t, kLanes> m_increments;
};

constexpr CStepTable MakeStepTable()
{
    CStepTable table{};
    std::uint32_t a = 1;
    std::uint32_t c = 0;
    for (std::size_t k = 0; k < kLanes; ++k) {
        a *= CRandom::kMultiplier;
        c = c * CRandom::kMultiplier + CRandom::kIncrement;
        table.m_multipliers[k] = a;
        table.m_increments[k] = c;
    }
    return table;
}

constexpr CStepTable kSteps = MakeStepTable();

inline bool Passes(std::uint32_t state, std::uint32_t threshold)
{
    return static_cast<std::uint32_t>(CRandom::ValueOf(state)) * kReciprocal < threshold;
}

// Eight draws a round, each computed from the round's first state, so the rounds'
// chain is one multiply-add long.
std::size_t ScanPortably(std::uint32_t& state, std::size_t count, std::uint32_t threshold)
{
    constexpr std::size_t kRound = 8;
    std::uint32_t s = state;
    std::size_t done = 0;
    while (done + kRound <= count) {
        std::array<std::uint32_t, kRound> states;
        unsigned passed = 0;
        for (std::size_t k = 0; k < kRound; ++k) {
            states[k] = kSteps.m_multipliers[k] * s + kSteps.m_increments[k];
            passed |= static_cast<unsigned>(Passes(states[k], threshold)) << k;
        }
        if (passed != 0) {
            const auto first = static_cast<std::size_t>(__builtin_ctz(passed));
            state = states[first];
            return done + first;
        }
        s = states[kRound - 1];
        done += kRound;
    }
    for (; done < count; ++done) {
        s = s * CRandom::kMultiplier + CRandom::kIncrement;
        if (Passes(s, threshold)) {
            state = s;
            return done;
        }
    }
    state = s;
    return count;
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// Four vectors of eight lanes hold the states of the next 32 draws; each round
// steps every lane 32 draws on.
__attribute__((target("avx2"))) std::size_t ScanWithAvx2(std::uint32_t& state, std::size_t count,
                                                         std::uint32_t threshold)
{
    const auto* multipliers = reinterpret_cast<const __m256i*>(kSteps.m_multipliers.data());
    const auto* increments = reinterpret_cast<const __m256i*>(kSteps.m_increments.data());
    const __m256i start = _mm256_set1_epi32(static_cast<int>(state));
    __m256i lanes[4];
    for (int v = 0; v < 4; ++v) {
        lanes[v] = _mm256_add_epi32(
            _mm256_mullo_epi32(start, _mm256_loadu_si256(multipliers + v)),
            _mm256_loadu_si256(increments + v));
    }
    const __m256i stepMultiplier = _mm256_set1_epi32(static_cast<int>(kSteps.m_multipliers[kLanes - 1]));
    const __m256i stepIncrement = _mm256_set1_epi32(static_cast<int>(kSteps.m_increments[kLanes - 1]));
    const __m256i valueMask = _mm256_set1_epi32(0x7FFF);
    const __m256i reciprocal = _mm256_set1_epi32(static_cast<int>(kReciprocal));
    const __m256i highestFailing = _mm256_set1_epi32(static_cast<int>(threshold - 1));
    std::size_t done = 0;
    while (done + kLanes <= count) {
        std::uint32_t passed = 0;
        for (int v = 0; v < 4; ++v) {
            const __m256i value = _mm256_and_si256(_mm256_srli_epi32(lanes[v], 16), valueMask);
            const __m256i low = _mm256_mullo_epi32(value, reciprocal);
            // low < threshold, unsigned: the smaller of low and threshold - 1 is low.
            const __m256i pass = _mm256_cmpeq_epi32(_mm256_min_epu32(low, highestFailing), low);
            passed |= static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(pass))) << (8 * v);
        }
        if (passed != 0) {
            const auto first = static_cast<std::size_t>(__builtin_ctz(passed));
            alignas(32) std::uint32_t states[8];
            _mm256_store_si256(reinterpret_cast<__m256i*>(states), lanes[first / 8]);
            state = states[first % 8];
            return done + first;
        }
        for (int v = 0; v < 4; ++v)
            lanes[v] = _mm256_add_epi32(_mm256_mullo_epi32(lanes[v], stepMultiplier), stepIncrement);
        done += kLanes;
    }
    state = CRandom::StateAfter(state, done);
    std::size_t rest = ScanPortably(state, count - done, threshold);
    return done + rest;
}

#endif

}  // namespace

std::size_t SkipFailingDraws(std::uint32_t& state, std::size_t count, int frequency)
{
    if (count == 0)
        return 0;
    if (frequency <= 0) {
        state = CRandom::StateAfter(state, count);
        return count;
    }
    if (frequency >= 100) {
        state = state * CRandom::kMultiplier + CRandom::kIncrement;
        return 0;
    }
    const std::uint32_t threshold = kReciprocal * static_cast<std::uint32_t>(frequency);
    // A pass is often near at a high frequency; a few draws one by one come first.
    constexpr std::size_t kFirstDraws = 8;
    std::uint32_t s = state;
    const std::size_t head = count < kFirstDraws ? count : kFirstDraws;
    for (std::size_t k = 0; k < head; ++k) {
        s = s * CRandom::kMultiplier + CRandom::kIncrement;
        if (Passes(s, threshold)) {
            state = s;
            return k;
        }
    }
    state = s;
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    if (VectorPathInUse())
        return head + ScanWithAvx2(state, count - head, threshold);
#endif
    return head + ScanPortably(state, count - head, threshold);
}
