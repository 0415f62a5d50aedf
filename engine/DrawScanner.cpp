#include "engine/DrawScanner.h"

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
constexpr std::size_t kSteps = 64;

// The maps of 0 to kSteps steps of the generator: state -> a[k] * state + c[k].
struct CStepTable {
    std::array<std::uint32_t, kSteps + 1> m_multipliers;
    std::array<std::uint32_t, kSteps + 1> m_increments;
};

constexpr CStepTable MakeStepTable()
{
    CStepTable table{};
    table.m_multipliers[0] = 1;
    table.m_increments[0] = 0;
    for (std::size_t k = 1; k <= kSteps; ++k) {
        table.m_multipliers[k] = table.m_multipliers[k - 1] * CRandom::kMultiplier;
        table.m_increments[k] = table.m_increments[k - 1] * CRandom::kMultiplier + CRandom::kIncrement;
    }
    return table;
}

alignas(32) constexpr CStepTable kStepTable = MakeStepTable();

std::uint32_t StateAfterSteps(std::uint32_t state, std::size_t steps)
{
    return kStepTable.m_multipliers[steps] * state + kStepTable.m_increments[steps];
}

// Pass flags of draws first + 1 to end after state, as bits first to end - 1.
std::uint64_t TestPortably(std::uint32_t state, std::size_t first, std::size_t end,
                           std::uint32_t threshold)
{
    std::uint64_t passed = 0;
    for (std::size_t k = first; k < end; ++k) {
        const auto value = static_cast<std::uint32_t>(CRandom::ValueOf(StateAfterSteps(state, k + 1)));
        passed |= static_cast<std::uint64_t>(value * kReciprocal < threshold) << k;
    }
    return passed;
}

#ifdef CHIRPWELL_HAVE_AVX2_PATH

// The same eight draws a vector; first and end are multiples of 8.
__attribute__((target("avx2"))) std::uint64_t TestWithAvx2(std::uint32_t state, std::size_t first,
                                                           std::size_t end, std::uint32_t threshold)
{
    const __m256i start = _mm256_set1_epi32(static_cast<int>(state));
    const __m256i valueMask = _mm256_set1_epi32(0x7FFF);
    const __m256i reciprocal = _mm256_set1_epi32(static_cast<int>(kReciprocal));
    const __m256i highestPassing = _mm256_set1_epi32(static_cast<int>(threshold - 1));
    std::uint64_t passed = 0;
    for (std::size_t k = first; k < end; k += 8) {
        const __m256i multipliers = _mm256_loadu_si256(
            reinterpret_cast<const __m256i*>(kStepTable.m_multipliers.data() + k + 1));
        const __m256i increments = _mm256_loadu_si256(
            reinterpret_cast<const __m256i*>(kStepTable.m_increments.data() + k + 1));
        const __m256i states = _mm256_add_epi32(_mm256_mullo_epi32(start, multipliers), increments);
        const __m256i value = _mm256_and_si256(_mm256_srli_epi32(states, 16), valueMask);
        const __m256i low = _mm256_mullo_epi32(value, reciprocal);
        // low < threshold, unsigned: the smaller of low and threshold - 1 is low.
        const __m256i pass = _mm256_cmpeq_epi32(_mm256_min_epu32(low, highestPassing), low);
        const auto bits = static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(pass)));
        passed |= static_cast<std::uint64_t>(bits) << k;
    }
    return passed;
}

#endif

}  // namespace

CDrawScanner::CDrawScanner(std::uint32_t state, int frequency)
    : m_nBlockState(state), m_nFrequency(frequency), m_bVectors(VectorPathInUse())
{
    if (frequency > 0 && frequency < 100)
        m_nThreshold = kReciprocal * static_cast<std::uint32_t>(frequency);
}

std::uint32_t CDrawScanner::State() const
{
    return StateAfterSteps(m_nBlockState, m_nUsed);
}

void CDrawScanner::Restart(std::uint32_t state)
{
    m_nBlockState = state;
    m_nPassed = 0;
    m_nValid = 0;
    m_nUsed = 0;
}

void CDrawScanner::Fill(std::size_t valid)
{
#ifdef CHIRPWELL_HAVE_AVX2_PATH
    if (m_bVectors) {
        m_nPassed |= TestWithAvx2(m_nBlockState, m_nValid, valid, m_nThreshold);
        m_nValid = valid;
        return;
    }
#endif
    m_nPassed |= TestPortably(m_nBlockState, m_nValid, valid, m_nThreshold);
    m_nValid = valid;
}

std::size_t CDrawScanner::SkipFailing(std::size_t count)
{
    if (count == 0)
        return 0;
    if (m_nFrequency >= 100) {
        Restart(State() * CRandom::kMultiplier + CRandom::kIncrement);
        return 0;
    }
    if (m_nFrequency <= 0) {
        Restart(CRandom::StateAfter(State(), count));
        return count;
    }
    std::size_t skipped = 0;
    for (;;) {
        if (m_nUsed == m_nValid) {
            if (m_nValid == kBlock) {
                m_nBlockState = State();
                m_nPassed = 0;
                m_nValid = 0;
                m_nUsed = 0;
                Fill(kBlock);
            } else {
                // Right after a restart a pass is often near: eight draws come first.
                Fill(m_nValid == 0 ? 8 : kBlock);
            }
        }
        const std::uint64_t ahead = m_nPassed >> m_nUsed;
        const std::size_t tested = m_nValid - m_nUsed;
        if (ahead != 0) {
            const auto next = static_cast<std::size_t>(__builtin_ctzll(ahead));
            if (skipped + next < count) {
                m_nUsed += next + 1;
                return skipped + next;
            }
        }
        if (count - skipped <= tested) {
            m_nUsed += count - skipped;
            return count;
        }
        skipped += tested;
        m_nUsed = m_nValid;
    }
}
