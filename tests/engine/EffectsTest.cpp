#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Limits.h"
#include "tests/engine/EngineTest.h"

namespace {

const std::string kBlackCircle = Hex("819C");      // ●
const std::string kFullWidthSpace = Hex("8140");
const std::string kA = Hex("82A0");                // あ
const std::string kI = Hex("82A2");                // い
// もうここより後ろにはないヨ。 and もうここより前にはないヨ。
const std::string kNoneBelow =
    Hex("82E0 82A4 82B1 82B1 82E6 82E8 8CE3 82EB 82C9 82CD 82C8 82A2 8388 8142");
const std::string kNoneAbove =
    Hex("82E0 82A4 82B1 82B1 82E6 82E8 914F 82C9 82CD 82C8 82A2 8388 8142");

// With the clock at second 1 the censor draws 41 18467 6334 26500 19169 ..., which
// are 41 67 34 0 69 modulo 100 (worked out by hand).
class Censor : public CEngineTest {
protected:
    Censor()
    {
        m_clock.m_nNow = 1;
        m_converter.m_strZenkaku = kBlackCircle;
        m_converter.m_strHankaku = "*";
    }
    std::string Censored(std::string text, int frequency)
    {
        m_converter.m_nFrequency = frequency;
        EXPECT_TRUE(m_converter.Censor(text));
        return text;
    }
};

TEST_F(Censor, EveryCharacterButBlanksAndFullWidthSpacesAtFullFrequency)
{
    EXPECT_EQ(Censored("ab" + kFullWidthSpace + "c", 100), "**" + kFullWidthSpace + "*");
    m_converter.m_strZenkaku = Hex("81A1");  // ■
    m_converter.m_strHankaku = "#";
    EXPECT_EQ(Censored(kA + "x\t\r\n " + kI + Hex("B1"), 100),
              Hex("81A1") + "#\t\r\n " + Hex("81A1") + "#");
}

TEST_F(Censor, CharacterIsCensoredWhenTheDrawIsAtMostTheFrequency)
{
    EXPECT_EQ(Censored("abcd", 40), "ab**");
    EXPECT_EQ(Censored("abcd", 41), "*b**");
    EXPECT_EQ(Censored("abcd", 0), "abc*");  // the draw of 0 still censors
}

TEST_F(Censor, DrawsOncePerCharacterAndNeverForBlanks)
{
    // a: 41, あ: 67, full-width space: 34 (kept all the same), b: 0.
    EXPECT_EQ(Censored("a\t" + kA + kFullWidthSpace + "\r\nb", 40),
              "a\t" + kA + kFullWidthSpace + "\r\n*");
    EXPECT_EQ(m_random.Next(), 19169);
}

TEST_F(Censor, WrongLengthCensorCharactersAreRepairedAndKept)
{
    m_converter.m_strZenkaku = "X";
    m_converter.m_strHankaku = "";
    EXPECT_EQ(Censored(kA + "a", 100), kBlackCircle + "*");
    EXPECT_EQ(m_converter.m_strZenkaku, kBlackCircle);
    EXPECT_EQ(m_converter.m_strHankaku, "*");

    m_converter.m_strZenkaku = "ABCD";
    m_converter.m_strHankaku = "ab";
    EXPECT_EQ(Censored(kA, 100), kBlackCircle);
    EXPECT_EQ(m_converter.m_strZenkaku, kBlackCircle);
    EXPECT_EQ(m_converter.m_strHankaku, "*");
}

TEST_F(Censor, EmptyTextOnlyRepairsAndSeeds)
{
    m_converter.m_strZenkaku.clear();
    m_clock.m_nNow = 12345;
    m_random.Seed(99);
    EXPECT_EQ(Censored("", 100), "");
    EXPECT_EQ(m_converter.m_strZenkaku, kBlackCircle);
    EXPECT_EQ(m_random.Next(), 7584);  // the first value after seed 12345
}

TEST_F(Censor, LeadByteAtTheEndIsOneByte)
{
    EXPECT_EQ(Censored("a" + Hex("82"), 100), "**");
    EXPECT_EQ(Censored(Hex("8140 82"), 100), kFullWidthSpace + "*");
}

struct CReverseCase {
    std::string m_strInput;
    std::string m_strOutput;
};

using ReverseEffect = CEngineTest;

TEST_F(ReverseEffect, KeepsCharactersAndLineBreaksWhole)
{
    const std::vector<CReverseCase> cases = {
        {"", ""},
        {"ab\r\ncd", "dc\r\nba"},
        {kA + kI, kI + kA},
        {"\r\n\r\n", "\r\n\r\n"},
        {"\r\n\n", "\n\r\n"},
        {"\n\r", "\r\n"},
        {"a\rb\n", "\nb\ra"},
        {kA + Hex("82"), Hex("82") + kA},         // a cut character stays one byte
        {Hex("820A") + "b", "b" + Hex("820A")},   // any byte after a lead byte is its partner
    };
    for (const CReverseCase& c : cases) {
        SCOPED_TRACE(c.m_strInput);
        std::string text = c.m_strInput;
        EXPECT_TRUE(m_converter.Reverse(text));
        EXPECT_EQ(text, c.m_strOutput);
    }
}

class SmilePlaceSearch : public CEngineTest {
protected:
    // A smile place at every "a" of text, as long as the replacement.
    void MarkEveryA(std::string text, const std::string& replacement = "A")
    {
        CConverter marker(m_notifier, m_random);
        marker.AddRule("a", replacement);
        marker.m_nFrequency = 100;
        ASSERT_TRUE(marker.Convert(text, kMaxSmileLength, m_progress));
        m_converter.CopySmilePlaces(marker);
    }
    std::optional<CSmilePlace> Place(std::size_t position, std::size_t length)
    {
        return CSmilePlace{position, length};
    }
};

TEST_F(SmilePlaceSearch, NextFindsTheFirstPlaceStrictlyAfter)
{
    MarkEveryA(std::string(10, 'x') + "a" + std::string(9, 'x') + "a" + std::string(9, 'x') + "a");
    EXPECT_EQ(m_converter.FindNextSmilePlace(0), Place(10, 1));
    EXPECT_EQ(m_converter.FindNextSmilePlace(10), Place(20, 1));
    EXPECT_EQ(m_converter.FindNextSmilePlace(29), Place(30, 1));
    EXPECT_TRUE(m_notifier.m_messages.empty());
    EXPECT_EQ(m_converter.FindNextSmilePlace(30), std::nullopt);
    EXPECT_EQ(m_converter.FindNextSmilePlace(1000), std::nullopt);
    EXPECT_EQ(m_notifier.m_messages, (std::vector<std::string>{kNoneBelow, kNoneBelow}));
}

TEST_F(SmilePlaceSearch, PreviousFindsTheLastPlaceStrictlyBefore)
{
    MarkEveryA(std::string(10, 'x') + "a" + std::string(9, 'x') + "a" + std::string(9, 'x') + "a");
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(31), Place(30, 1));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(30), Place(20, 1));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(11), Place(10, 1));
    EXPECT_TRUE(m_notifier.m_messages.empty());
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(10), std::nullopt);
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(0), std::nullopt);
    EXPECT_EQ(m_notifier.m_messages, (std::vector<std::string>{kNoneAbove, kNoneAbove}));
}

TEST_F(SmilePlaceSearch, EmptyListAnswersWithTheMessageAtOnce)
{
    EXPECT_EQ(m_converter.FindNextSmilePlace(0), std::nullopt);
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(5), std::nullopt);
    EXPECT_EQ(m_notifier.m_messages, (std::vector<std::string>{kNoneBelow, kNoneAbove}));
}

TEST_F(SmilePlaceSearch, PlaceComesWithItsLength)
{
    MarkEveryA("xxxxxa", "12345678");
    EXPECT_EQ(m_converter.FindNextSmilePlace(0), Place(5, 8));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(6), Place(5, 8));
}

TEST_F(SmilePlaceSearch, PositionsPast65535CompareWhole)
{
    MarkEveryA(std::string(10, 'x') + "a" + std::string(69989, 'x') + "a");
    // 70000 is 4464 in sixteen bits, which would fall on the wrong side of 5000.
    EXPECT_EQ(m_converter.FindNextSmilePlace(5000), Place(70000, 1));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(5000), Place(10, 1));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(70001), Place(70000, 1));
    EXPECT_EQ(m_converter.FindPreviousSmilePlace(70000), Place(10, 1));
    EXPECT_EQ(m_converter.FindNextSmilePlace(70000), std::nullopt);
}

TEST_F(SmilePlaceSearch, CopyTakesTheOtherListAndClearEmptiesIt)
{
    MarkEveryA("xa");
    MarkEveryA("aaxa");  // replaces, not appends
    EXPECT_EQ(m_converter.SmilePlaces(), (CSmilePlaceList{{0, 1}, {1, 1}, {3, 1}}));
    m_converter.ClearSmilePlaces();
    EXPECT_TRUE(m_converter.SmilePlaces().empty());
    EXPECT_EQ(m_converter.FindNextSmilePlace(0), std::nullopt);
}

}  // namespace
