#include "engine/smile/DrawScanner.h"

#include <array>

#include "engine/VectorPath.h"
#include "engine/smile/Random.h"

#ifdef CHIRPWELL_HAVE_AVX2_PATH
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

// The maps for 32 draws in four vectors of eight lanes, in the order that packing
// the four comparisons into bytes puts them: bit p of the packed mask comes from
// vector (p % 16) / 4, lane 4 * (p / 16) + p % 4. So that lane tests draw p.
struct CPackedSteps {
    alignas(32) std::array<std::uint32_t, 2 * 32> m_multipliers;
    alignas(32) std::array<std::uint32_t, 2 * 32> m_increments;
};

constexpr CPackedSteps MakePackedSteps()
{
    CPackedSteps packed{};
    for (std::size_t group = 0; group < 2; ++group) {
        for (std::size_t vector = 0; vector < 4; ++vector) {
            for (std::size_t lane = 0; lane < 8; ++lane) {
                const std::size_t draw = 32 * group + 16 * (lane / 4) + 4 * vector + lane % 4;
                packed.m_multipliers[32 * group + 8 * vector + lane] = kStepTable.m_multipliers[draw + 1];
                packed.m_increments[32 * group + 8 * vector + lane] = kStepTable.m_increments[draw + 1];
            }
        }
    }
    return packed;
}

constexpr CPackedSteps kPackedSteps = MakePackedSteps();

// Minus one in each lane whose state's value passes; threshold - 1 is the highest
// passing product.
__attribute__((target("avx2"))) inline __m256i PassLanes(__m256i states, __m256i highestPassing)
{
    const __m256i value = _mm256_and_si256(_mm256_srli_epi32(states, 16), _mm256_set1_epi32(0x7FFF));
    const __m256i low = _mm256_mullo_epi32(value, _mm256_set1_epi32(static_cast<int>(kReciprocal)));
    // low < threshold, unsigned: the smaller of low and threshold - 1 is low.
    return _mm256_cmpeq_epi32(_mm256_min_epu32(low, highestPassing), low);
}

// Pass flags of the first eight draws after state.
__attribute__((target("avx2"))) std::uint64_t TestEightWithAvx2(std::uint32_t state,
                                                                std::uint32_t threshold)
{
    const __m256i multipliers =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kStepTable.m_multipliers.data() + 1));
    const __m256i increments =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kStepTable.m_increments.data() + 1));
    const __m256i states = _mm256_add_epi32(
        _mm256_mullo_epi32(_mm256_set1_epi32(static_cast<int>(state)), multipliers), increments);
    const __m256i pass = PassLanes(states, _mm256_set1_epi32(static_cast<int>(threshold - 1)));
    return static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(pass)));
}

// Pass flags of all 64 draws after state.
__attribute__((target("avx2"))) std::uint64_t TestBlockWithAvx2(std::uint32_t state,
                                                                std::uint32_t threshold)
{
    const __m256i start = _mm256_set1_epi32(static_cast<int>(state));
    const __m256i highestPassing = _mm256_set1_epi32(static_cast<int>(threshold - 1));
    std::uint64_t passed = 0;
    for (std::size_t group = 0; group < 2; ++group) {
        __m256i pass[4];
        for (std::size_t vector = 0; vector < 4; ++vector) {
            const std::size_t at = 32 * group + 8 * vector;
            const __m256i multipliers =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(kPackedSteps.m_multipliers.data() + at));
            const __m256i increments =
                _mm256_load_si256(reinterpret_cast<const __m256i*>(kPackedSteps.m_increments.data() + at));
            const __m256i states = _mm256_add_epi32(_mm256_mullo_epi32(start, multipliers), increments);
            pass[vector] = PassLanes(states, highestPassing);
        }
        const __m256i bytes = _mm256_packs_epi16(_mm256_packs_epi32(pass[0], pass[1]),
                                                 _mm256_packs_epi32(pass[2], pass[3]));
        const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(bytes));
        passed |= static_cast<std::uint64_t>(bits) << (32 * group);
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
    if (m_nUsed > kSteps)
        return CRandom::StateAfter(m_nBlockState, m_nUsed);
    return StateAfterSteps(m_nBlockState, m_nUsed);
}

void CDrawScanner::Restart(std::uint32_t state)
{
    m_nBlockState = state;
    m_nPassed = 0;
    m_nValid = 0;
    m_nUsed = 0;
}

void CDrawScanner::Rebase()
{
    Restart(State());
}

void CDrawScanner::Fill(std::size_t valid)
{
    if (m_nFrequency >= 100) {
        m_nPassed = ~std::uint64_t{0};
    } else {
#ifdef CHIRPWELL_HAVE_AVX2_PATH
        // The block's first eight draws come out the same again in the whole block.
        if (m_bVectors && valid == 8)
            m_nPassed = TestEightWithAvx2(m_nBlockState, m_nThreshold);
        else if (m_bVectors)
            m_nPassed = TestBlockWithAvx2(m_nBlockState, m_nThreshold);
        else
#endif
            m_nPassed |= TestPortably(m_nBlockState, m_nValid, valid, m_nThreshold);
    }
    m_nValid = valid;
}

std::uint64_t CDrawScanner::Refill(std::size_t& count)
{
    if (m_nFrequency <= 0)
        return 0;
    if (m_nValid == kBlock) {
        Rebase();
        Fill(kBlock);
    } else {
        // Right after a restart a pass is often near: eight draws come first.
        Fill(m_nValid == 0 ? 8 : kBlock);
    }
    return Ahead(count);
}
