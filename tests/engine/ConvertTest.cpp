#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Limits.h"
#include "tests/engine/EngineTest.h"

namespace {

const std::string kMaru = Hex("8142");                         // 。
const std::string kDesu = Hex("82C5 82B7 8142");               // です。
const std::string kWarai = Hex("8169 8FCE 816A 8142");         // （笑）。
const std::string kNotDesu = Hex("82C5 82CD 82A0 82E8 82DC 82B9 82F1 8142");  // ではありません。

// The generator's values below come from state = state * 214013 + 2531011 mod 2^32,
// value = (state >> 16) & 0x7FFF, worked out by hand:
//   seed 1: 41 18467 6334 26500 19169 15724 11478 29358 26962 24464 5705
//   seed 7: 61 17422 15215 7040 15521 6516 30152 11794 27727 20344 4818
//   seed 15: 87 5105 27056 2938 32501 5162 22284 21144 28748 3927
//   seed 80: 299 (99 modulo 100)

class Convert : public CEngineTest {
protected:
    bool Smile(std::string& text, int frequency, std::size_t maxLength = kMaxSmileLength,
               bool wholeCharacters = false)
    {
        m_converter.m_nFrequency = frequency;
        return m_converter.Convert(text, maxLength, m_progress, wholeCharacters);
    }
    const CSmilePlaceList& Places() const { return m_converter.SmilePlaces(); }
};

TEST_F(Convert, FrequencyZeroChangesNothingButDrawsAtEveryPosition)
{
    m_random.Seed(1);
    std::string text = kDesu;
    EXPECT_TRUE(Smile(text, 0));
    EXPECT_EQ(text, kDesu);
    EXPECT_TRUE(Places().empty());
    EXPECT_EQ(Collapsed(m_progress.m_positions), (std::vector<int>{0, 16, 33, 50, 66, 83, 100}));
    EXPECT_EQ(m_random.Next(), 29358);  // seven positions, seven draws
    EXPECT_EQ(m_progress.m_calls.at(0), "caption:" + Hex("94F7 8FCE 82F1 82C5 82A2 82E9 8DC5 9286"
                                                         "82C5 8CE4 8DC0 82E9 8142"));
}

TEST_F(Convert, RuleIsTriedBelowTheFrequencyOnly)
{
    m_converter.AddRule("a", "b");
    for (int frequency : {99, 100}) {
        m_random.Seed(80);  // first value 299: 99 mod 100
        std::string text = "a";
        EXPECT_TRUE(Smile(text, frequency));
        EXPECT_EQ(text, frequency == 100 ? "b" : "a") << frequency;
    }
}

TEST_F(Convert, DesuReplacedAtTheFirstByteIsNotSmiledAgain)
{
    m_converter.LoadBuiltInSet();
    m_random.Seed(1);
    std::string text = kDesu;
    // 0: 41 passes, です。 matches (18467 % 1 == 0); 16: 6334 passes, nothing there.
    EXPECT_TRUE(Smile(text, 50));
    EXPECT_EQ(text, kNotDesu);
    EXPECT_EQ(Places(), (CSmilePlaceList{{0, 16}}));
    EXPECT_EQ(m_random.Next(), 26500);
}

TEST_F(Convert, DesuCanBeSmiledAtItsFullStop)
{
    m_converter.LoadBuiltInSet();
    m_random.Seed(7);
    std::string text = kDesu;
    // 0: 61 fails; 1 to 3: 22, 15, 40 pass but no key fits; 4: 21 passes, four rules
    // match: 6516 % 1, 30152 % 2 == 0 picks （笑）。, 11794 % 3 and 27727 % 4 do not;
    // 12: 20344 passes, nothing there.
    EXPECT_TRUE(Smile(text, 50));
    EXPECT_EQ(text, Hex("82C5 82B7") + kWarai);
    EXPECT_EQ(Places(), (CSmilePlaceList{{4, 8}}));
    EXPECT_EQ(m_random.Next(), 4818);
}

TEST_F(Convert, EachMatchingRuleCanBePicked)
{
    m_converter.LoadBuiltInSet();
    // Draws 3 to 5 of each seed against % 2, % 3, % 4 decide, worked out by hand.
    const std::vector<std::pair<std::uint32_t, std::string>> cases = {
        {4, Hex("82CB 8148")},                      // ね？
        {1, kWarai},                                // （笑）。
        {9, Hex("8141 82E2 82C1 82D9 815B 8142")},  // 、やっほー。
        {2, "......" + kMaru},
    };
    for (const auto& [seed, expected] : cases) {
        SCOPED_TRACE(seed);
        m_random.Seed(seed);
        std::string text = kMaru;
        EXPECT_TRUE(Smile(text, 100));
        EXPECT_EQ(text, expected);
    }
}

TEST_F(Convert, KeyMayEndAtTheEndButNotReachPastIt)
{
    m_converter.AddRule(kMaru, "!");
    m_random.Seed(1);
    std::string text = "a" + kMaru;
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, "a!");
    EXPECT_EQ(Places(), (CSmilePlaceList{{1, 1}}));

    m_random.Seed(1);
    std::string cut = "a" + Hex("81");
    EXPECT_TRUE(Smile(cut, 100));
    EXPECT_EQ(cut, "a" + Hex("81"));
    EXPECT_EQ(m_random.Next(), 26500);  // three positions, no draw for the skipped key
}

TEST_F(Convert, KeyMatchesFromASecondByte)
{
    m_converter.AddRule(kMaru, "!");
    std::string text = Hex("8281 42");  // ａ followed by 'B'
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, Hex("82") + "!");
    EXPECT_EQ(Places(), (CSmilePlaceList{{1, 1}}));
}

TEST_F(Convert, WholeCharacterModeMatchesNoKeyThatSplitsACharacter)
{
    // ａ (8281) then "BC": the key 81 42 43 starts on ａ's second byte.
    m_converter.AddRule(Hex("814243"), "!");
    m_random.Seed(1);
    std::string bytes = Hex("8281 4243");
    // 0: 41 passes, no key under 82; 1: 18467 passes, the key matches, 6334 % 1 picks
    // it; 2, the end: 26500.
    EXPECT_TRUE(Smile(bytes, 100));
    EXPECT_EQ(bytes, Hex("82") + "!");
    EXPECT_EQ(Places(), (CSmilePlaceList{{1, 1}}));
    EXPECT_EQ(m_random.Next(), 19169);

    m_converter.ClearSmilePlaces();
    m_random.Seed(1);
    std::string whole = Hex("8281 4243");
    // 0: 41; 1: 18467 passes on a second byte, nothing matches or is drawn; 2: 6334;
    // 3: 26500; 4, the end: 19169.
    EXPECT_TRUE(Smile(whole, 100, kMaxSmileLength, true));
    EXPECT_EQ(whole, Hex("8281 4243"));
    EXPECT_TRUE(Places().empty());
    EXPECT_EQ(m_random.Next(), 15724);
}

TEST_F(Convert, WholeCharacterModeSkipsKeysEndingInALeadByte)
{
    m_converter.AddRule(Hex("4182"), "?");  // 'A' and the first half of あ
    m_converter.AddRule("A", "a");
    m_random.Seed(1);
    std::string bytes = Hex("4182 A0");
    // 0: 41 passes, both keys match: 18467 % 1 picks 4182, 6334 % 2 == 0 picks "A".
    EXPECT_TRUE(Smile(bytes, 100));
    EXPECT_EQ(bytes, Hex("6182 A0"));

    m_random.Seed(1);
    std::string whole = Hex("4182 A0");
    // 0: 41 passes, only "A" is whole: 18467 % 1 picks it; 1: 6334 at あ; 2: 26500
    // on its second byte; 3, the end: 19169.
    EXPECT_TRUE(Smile(whole, 100, kMaxSmileLength, true));
    EXPECT_EQ(whole, Hex("6182 A0"));
    EXPECT_EQ(m_random.Next(), 15724);

    // A replacement that ends in a lead byte takes the next byte as its partner, so
    // the walk over the text as it stands puts a second byte there.
    m_converter.RemoveAllRules();
    m_converter.AddRule("a", Hex("82"));
    m_converter.AddRule("b", "!");
    std::string glued = "ab";
    EXPECT_TRUE(Smile(glued, 100, kMaxSmileLength, true));
    EXPECT_EQ(glued, Hex("82") + "b");
    std::string apart = "ab";
    EXPECT_TRUE(Smile(apart, 100));
    EXPECT_EQ(apart, Hex("82") + "!");
}

TEST_F(Convert, ResultMayReachMaxLengthExactlyButNotPassIt)
{
    m_converter.AddRule("a", "xyz");
    std::string exact = "aa";
    EXPECT_TRUE(Smile(exact, 100, 6));
    EXPECT_EQ(exact, "xyzxyz");
    EXPECT_EQ(Places(), (CSmilePlaceList{{0, 3}, {3, 3}}));

    std::string over = "aa";
    EXPECT_FALSE(Smile(over, 100, 5));
    EXPECT_EQ(over, "xyza");  // the replacements before the stop stay
    // A run only appends to the places.
    EXPECT_EQ(Places(), (CSmilePlaceList{{0, 3}, {3, 3}, {0, 3}}));
}

TEST_F(Convert, TextLongerThanMaxLengthIsLeftAlone)
{
    m_converter.AddRule("a", "");
    m_random.Seed(1);
    std::string text = "aaa";
    EXPECT_FALSE(Smile(text, 100, 2));
    EXPECT_EQ(text, "aaa");
    EXPECT_TRUE(Places().empty());
    EXPECT_EQ(m_progress.m_captions.size(), 1u);
    EXPECT_TRUE(m_progress.m_positions.empty());
    EXPECT_EQ(m_random.Next(), 41);
}

TEST_F(Convert, DeletionRuleDeletesAtOnePositionAfterEachFrequencyTest)
{
    m_converter.AddRule(kMaru, "");
    m_random.Seed(1);
    std::string text = "a" + kMaru + kMaru + kMaru + "b";
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(Places(), (CSmilePlaceList{{1, 0}, {1, 0}, {1, 0}}));
    EXPECT_EQ(m_random.Next(), 24464);  // 1 + 3 * 2 + 1 + 1 draws

    m_converter.ClearSmilePlaces();
    m_random.Seed(15);
    text = "a" + kMaru + kMaru + kMaru + "b";
    // 0: 87 fails; 1: 5 passes, deleted (5105); 1: 38 passes, deleted (32501);
    // 1: 62 fails; 2: 84 fails; 3: 44 passes, 'b' has no rule; 4: 48 passes, nothing.
    EXPECT_TRUE(Smile(text, 50));
    EXPECT_EQ(text, "a" + kMaru + "b");
    EXPECT_EQ(Places(), (CSmilePlaceList{{1, 0}, {1, 0}}));
    EXPECT_EQ(m_random.Next(), 3927);
}

TEST_F(Convert, LargePositionsAndLengthsAreRecordedWhole)
{
    m_converter.AddRule(kMaru, kWarai);
    m_converter.AddRule("b", std::string(70000, 'x'));
    std::string text = std::string(70000, 'a') + kMaru + "b";
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text.size(), 70000u + 8 + 70000);
    EXPECT_EQ(text.substr(70000, 8), kWarai);
    EXPECT_EQ(Places(), (CSmilePlaceList{{70000, 8}, {70008, 70000}}));
}

TEST_F(Convert, EmptyKeyAppliesOnlyAtTheEndAndAgainBehindItsReplacement)
{
    m_converter.AddRule("#x", "!");  // resolves to the empty key
    std::string text = "ab";
    EXPECT_FALSE(Smile(text, 100, 4));
    EXPECT_EQ(text, "ab!!");
    EXPECT_EQ(Places(), (CSmilePlaceList{{2, 1}, {3, 1}}));
}

TEST_F(Convert, EmptyKeyWithEmptyReplacementAppliesOnceAndEndsTheWalk)
{
    m_converter.AddRule("", "");
    m_random.Seed(1);
    std::string text = "ab";
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(Places(), (CSmilePlaceList{{2, 0}}));
    EXPECT_EQ(m_random.Next(), 19169);  // 1 + 1 + 2 draws

    m_converter.ClearSmilePlaces();
    std::string empty;
    EXPECT_TRUE(Smile(empty, 100));
    EXPECT_EQ(Places(), (CSmilePlaceList{{0, 0}}));
}

TEST_F(Convert, EmptyTextVisitsPositionZeroWithoutAPercentage)
{
    m_converter.LoadBuiltInSet();
    m_random.Seed(1);
    std::string text;
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(m_progress.m_positions.empty());
    EXPECT_EQ(m_random.Next(), 18467);
}

TEST_F(Convert, ProgressUsesTheCurrentLength)
{
    m_converter.AddRule("a", "aaaa");
    std::string text = "ab";
    EXPECT_TRUE(Smile(text, 100));
    EXPECT_EQ(text, "aaaab");
    // 0 of 2; then 4 of 5 and 5 of 5 once the text has grown.
    EXPECT_EQ(Collapsed(m_progress.m_positions), (std::vector<int>{0, 80, 100}));
}

TEST_F(Convert, ProgressReportsEveryChangeOfALongText)
{
    std::string text(250, 'a');
    EXPECT_TRUE(Smile(text, 0));
    std::vector<int> everyPercent;
    for (int percent = 0; percent <= 100; ++percent)
        everyPercent.push_back(percent);
    EXPECT_EQ(Collapsed(m_progress.m_positions), everyPercent);
}

}  // namespace
