#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VectorPath.h"
#include "engine/smile/DrawScanner.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"

namespace {

// state = state * 214013 + 2531011 mod 2^32, value = (state >> 16) & 0x7FFF, worked
// out by hand; seed 1 gives the well-known first values of the C runtime's rand.
const std::vector<int> kSeed1 = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
const std::vector<int> kSeed12345 = {7584, 19164, 25795, 22125, 5828, 23405};
const std::vector<int> kSeedAllOnes = {35, 29739, 3374, 11141, 31308, 7870};

std::vector<int> Draw(CRandom& random, std::size_t count)
{
    std::vector<int> values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(random.Next());
    return values;
}

TEST(Random, SeedGivesTheRuntimeSequence)
{
    CFixedClock clock;
    CRandom random(clock);
    random.Seed(1);
    EXPECT_EQ(Draw(random, kSeed1.size()), kSeed1);
    random.Seed(12345);
    EXPECT_EQ(Draw(random, kSeed12345.size()), kSeed12345);
    random.Seed(0xFFFFFFFFu);
    EXPECT_EQ(Draw(random, kSeedAllOnes.size()), kSeedAllOnes);
}

TEST(Random, UnseededGeneratorStartsAsSeedOne)
{
    CFixedClock clock;
    CRandom random(clock);
    EXPECT_EQ(Draw(random, 3), (std::vector<int>{41, 18467, 6334}));
}

TEST(Random, ClockSeedIsTheTimeModulo2To32)
{
    CFixedClock clock(12345);
    CRandom random(clock);
    random.SeedFromClock();
    EXPECT_EQ(Draw(random, 2), (std::vector<int>{7584, 19164}));
    clock.m_nNow = (std::int64_t{1} << 32) + 1;
    random.SeedFromClock();
    EXPECT_EQ(Draw(random, 2), (std::vector<int>{41, 18467}));
    clock.m_nNow = -1;
    random.SeedFromClock();
    EXPECT_EQ(random.Next(), 35);
}

TEST(Random, SkipStepsAheadAsManyDraws)
{
    CFixedClock clock;
    CRandom random(clock);
    random.Seed(1);
    random.Skip(0);
    EXPECT_EQ(random.Next(), 41);
    random.Skip(9);  // the eleventh draw of seed 1
    EXPECT_EQ(random.Next(), 5705);
    // The state has period 2^32: one step short of it comes back to state 1, whose
    // value is 0.
    random.Seed(1);
    random.Skip((std::uint64_t{1} << 32) - 1);
    EXPECT_EQ(random.Next(), 0);
    EXPECT_EQ(random.Next(), 41);
    random.Seed(12345);
    random.Skip(std::uint64_t{1} << 32);
    EXPECT_EQ(Draw(random, 2), (std::vector<int>{7584, 19164}));
}

// The scanner's pass flags and states against drawing one number at a time, on both
// paths, for every frequency around the ends, runs of blocks and restarts.
TEST(DrawScanner, FlagsAndStatesAreThoseOfSingleDraws)
{
    CFixedClock clock;
    CRandom single(clock);
    for (const bool vectors : {false, true}) {
        AllowVectorPath(vectors);
        for (const int frequency : {-5, 0, 1, 2, 13, 50, 98, 99, 100, 130}) {
            SCOPED_TRACE(testing::Message() << "vectors " << vectors << " frequency " << frequency);
            const std::uint32_t seed = 977u * static_cast<std::uint32_t>(frequency + 10);
            single.Seed(seed);
            CDrawScanner scanner(seed, frequency);
            for (std::size_t round = 0; round < 300; ++round) {
                std::size_t count = 1 + (round * 37) % 150;
                const std::uint64_t flags = scanner.Ahead(count);
                ASSERT_GE(count, 1u);
                const std::size_t used = 1 + round % count;
                for (std::size_t k = 0; k < used; ++k) {
                    const bool passes = single.Next() % 100 < frequency;
                    if (k < 64) {
                        ASSERT_EQ((flags >> k) & 1, passes ? 1u : 0u) << "round " << round;
                    }
                }
                scanner.Use(used);
                ASSERT_EQ(scanner.State(), single.State()) << "round " << round;
                // Draws made elsewhere, as a pick makes them.
                if (round % 7 == 0) {
                    single.Skip(round % 5);
                    scanner.Restart(single.State());
                }
            }
        }
    }
    AllowVectorPath(true);
}

}  // namespace
