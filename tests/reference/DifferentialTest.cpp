#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Converter.h"
#include "engine/Filters.h"
#include "engine/Limits.h"
#include "engine/Random.h"
#include "tests/fakes/FakeNotifier.h"
#include "engine/FixedClock.h"
#include "tests/fakes/RecordingProgress.h"
#include "tests/reference/LiteralEngine.h"

// The engine's one-pass filters and conversion against the literal in-place ones, on
// many small texts made of the bytes the rules react to.

namespace {

// Pieces that make tags, entities, comments, line breaks, smile keys and two-byte
// characters, whole or broken.
const std::vector<std::string> kPieces = {
    "<", ">", "&", "lt;", "gt;", "quot;", "amp;", "/", "*", "\r", "\n",
    "\x81\x42",          // 。
    "\x81\x41",          // 、
    "\x82\xC5\x82\xB7",  // です
    "\x82\xDC\x82\xB7",  // ます
    "\x81", "\x82", "\x9F", "\xE0", "a", " ", "x",
};

class CTextMaker {
public:
    explicit CTextMaker(std::uint32_t seed) : m_engine(seed) {}

    std::string Text(std::size_t maxPieces)
    {
        std::string text;
        const std::size_t count = Below(maxPieces + 1);
        for (std::size_t k = 0; k < count; ++k)
            text += kPieces[Below(kPieces.size())];
        return text;
    }
    std::size_t Below(std::size_t bound)
    {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(m_engine);
    }

private:
    std::mt19937 m_engine;
};

// The engine leaves out a percentage equal to the one just before; the literal form
// reports every position.
std::vector<std::string> WithoutRepeats(std::vector<std::string> calls)
{
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
    return calls;
}

using FilterFunction = bool (*)(std::string&, std::size_t, IProgress&);

// Rooms around the text's length reach the newline filter's stop and the HTML
// filter's guard; the text limit is what the program passes.
std::size_t PickRoom(CTextMaker& maker, std::size_t length)
{
    switch (maker.Below(4)) {
    case 0:
        return kTextLimit;
    case 1:
        return length + maker.Below(4);
    case 2:
        return length > 2 ? length - maker.Below(3) : 0;
    default:
        return length + maker.Below(12);
    }
}

void ExpectFilterMatches(FilterFunction engine, FilterFunction literal, std::uint32_t seed)
{
    CTextMaker maker(seed);
    for (int round = 0; round < 3000; ++round) {
        const std::string input = maker.Text(40);
        const std::size_t room = PickRoom(maker, input.size());
        std::string fast = input;
        std::string slow = input;
        CRecordingProgress fastProgress;
        CRecordingProgress slowProgress;
        EXPECT_TRUE(engine(fast, room, fastProgress));
        EXPECT_TRUE(literal(slow, room, slowProgress));
        ASSERT_EQ(fast, slow) << "input " << testing::PrintToString(input) << " room " << room;
        ASSERT_EQ(fastProgress.m_calls, WithoutRepeats(slowProgress.m_calls))
            << "input " << testing::PrintToString(input) << " room " << room;
    }
}

TEST(DifferentialTest, HtmlFilterMatchesLiteral)
{
    ExpectFilterMatches(StripHtmlTags, LiteralStripHtmlTags, 1);
}

TEST(DifferentialTest, CommentFilterMatchesLiteral)
{
    ExpectFilterMatches(StripCppComments, LiteralStripCppComments, 2);
}

TEST(DifferentialTest, NewlineFilterMatchesLiteral)
{
    ExpectFilterMatches(NormalizeReturnCodes, LiteralNormalizeReturnCodes, 3);
}

// Random rules over the same pieces: empty keys, deletions, keys that start inside
// a two-byte character and keys entered twice.
void AddRandomRules(CConverter& converter, CTextMaker& maker)
{
    const std::size_t count = 1 + maker.Below(6);
    for (std::size_t k = 0; k < count; ++k) {
        const std::string key = maker.Text(2);
        const std::string replacement = maker.Text(3);
        const std::size_t copies = maker.Below(4) == 0 ? 2 : 1;
        for (std::size_t c = 0; c < copies; ++c)
            converter.AddRule(key, replacement);
    }
}

void ExpectConvertMatches(std::uint32_t seed, bool builtInSet)
{
    CTextMaker maker(seed);
    constexpr int kFrequencies[] = {0, 2, 30, 70, 100, 150};
    for (int round = 0; round < 2000; ++round) {
        CFakeNotifier notifier;
        CFixedClock clock;
        CRandom fastRandom(clock);
        CRandom slowRandom(clock);
        CConverter converter(notifier, fastRandom);
        if (builtInSet)
            converter.LoadBuiltInSet();
        else
            AddRandomRules(converter, maker);
        converter.m_nFrequency = kFrequencies[maker.Below(std::size(kFrequencies))];
        const std::string input = maker.Text(30);
        // Random rules may grow a text at its end until the limit stops them; a small
        // limit keeps the literal form's per-position reports few.
        const std::size_t bigLimit = builtInSet ? kMaxSmileLength : 4096;
        const std::size_t maxLength =
            maker.Below(3) == 0 ? bigLimit : input.size() + maker.Below(16);
        const auto state = static_cast<std::uint32_t>(maker.Below(1u << 30));
        fastRandom.Seed(state);
        slowRandom.Seed(state);

        std::string fast = input;
        std::string slow = input;
        CRecordingProgress fastProgress;
        CRecordingProgress slowProgress;
        CSmilePlaceList slowPlaces;
        const bool fastDone = converter.Convert(fast, maxLength, fastProgress);
        const bool slowDone = LiteralConvert(slow, converter.RuleTable(), converter.m_nFrequency,
                                             slowRandom, maxLength, slowPlaces, slowProgress);
        const std::string context = "input " + testing::PrintToString(input) + " frequency " +
                                    std::to_string(converter.m_nFrequency) + " maxLength " +
                                    std::to_string(maxLength) + " seed " + std::to_string(state);
        ASSERT_EQ(fastDone, slowDone) << context;
        ASSERT_EQ(fast, slow) << context;
        ASSERT_EQ(converter.SmilePlaces(), slowPlaces) << context;
        ASSERT_EQ(fastRandom.Next(), slowRandom.Next()) << context;
        ASSERT_EQ(fastProgress.m_calls, WithoutRepeats(slowProgress.m_calls)) << context;
    }
}

TEST(DifferentialTest, ConvertWithBuiltInSetMatchesLiteral)
{
    ExpectConvertMatches(4, true);
}

TEST(DifferentialTest, ConvertWithRandomRulesMatchesLiteral)
{
    ExpectConvertMatches(5, false);
}

}  // namespace
