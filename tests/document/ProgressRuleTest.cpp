#include <vector>

#include <gtest/gtest.h>

#include "document/ProgressRule.h"

namespace {

std::vector<int> Accepted(CProgressRule& rule, const std::vector<int>& positions)
{
    std::vector<int> accepted;
    for (const int position : positions) {
        if (rule.Accept(position))
            accepted.push_back(position);
    }
    return accepted;
}

TEST(ProgressRuleTest, BarMovesOnlyByFiveOrMore)
{
    CProgressRule rule;
    EXPECT_EQ(Accepted(rule, {0, 3, 4, 5, 9, 10}), (std::vector<int>{0, 5, 10}));
}

TEST(ProgressRuleTest, FirstPositionAlwaysMoves)
{
    for (const int first : {0, 1, 50, 100}) {
        CProgressRule rule;
        EXPECT_TRUE(rule.Accept(first)) << first;
    }
}

TEST(ProgressRuleTest, NewPhaseGoesBackToZeroOnlyFromFarEnough)
{
    CProgressRule fromHigh;
    EXPECT_EQ(Accepted(fromHigh, {0, 96, 0}), (std::vector<int>{0, 96, 0}));
    for (const int last : {0, 1, 4}) {
        CProgressRule rule;
        rule.Accept(last);
        EXPECT_FALSE(rule.Accept(0)) << last;
    }
}

TEST(ProgressRuleTest, FullPassRedrawsAtMost21Times)
{
    CProgressRule rule;
    std::vector<int> positions;
    for (int p = 0; p <= 100; ++p)
        positions.push_back(p);
    const std::vector<int> accepted = Accepted(rule, positions);
    EXPECT_EQ(accepted.size(), 21u);
    EXPECT_EQ(accepted.back(), 100);
}

TEST(ProgressWindowPositionTest, CornerSitsOnTheCentreLineLeftOfTheMiddle)
{
    EXPECT_EQ(ProgressWindowPosition({100, 50, 900, 650}), (CPoint{400, 350}));
    EXPECT_EQ(ProgressWindowPosition({0, 0, 801, 601}), (CPoint{300, 300}));
}

TEST(ProgressWindowPositionTest, NegativeCentresRoundTowardZero)
{
    // (-301 + 100) / 2 is -100, not -101; (-51 + 50) / 2 is 0, not -1.
    EXPECT_EQ(ProgressWindowPosition({-301, -51, 100, 50}), (CPoint{-200, 0}));
    EXPECT_EQ(ProgressWindowPosition({-900, -700, -100, -100}), (CPoint{-600, -400}));
}

}  // namespace
