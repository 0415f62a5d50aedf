#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Limits.h"
#include "engine/VectorPath.h"
#include "engine/filters/Filters.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/RecordingProgress.h"
#include "tests/reference/LiteralEngine.h"

// The engine's one-pass filters and conversion against the literal in-place ones, on
// many texts made of the bytes the rules react to, on the portable path and the
// vector one. The engine works on windows of 64 bytes and draws: texts of every
// length around them, and long ones, reach each edge.

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

// Lines of one or two characters ended by every kind of break, so that lone breaks
// come several to a window.
const std::vector<std::string> kLinePieces = {"a", "\x82\xA0", "\n", "\n", "\r", "\r\n"};

// The engine of the standard library's generators gives the same numbers everywhere;
// its distributions do not, so the reduction is our own.
class CTextMaker {
public:
    explicit CTextMaker(std::uint32_t seed) : m_engine(seed) {}

    std::size_t Below(std::size_t bound) { return m_engine() % bound; }

    std::string Text(std::size_t maxPieces, const std::vector<std::string>& pieces = kPieces)
    {
        std::string text;
        const std::size_t count = Below(maxPieces + 1);
        for (std::size_t k = 0; k < count; ++k)
            text += pieces[Below(pieces.size())];
        return text;
    }
    std::string TextOfLength(std::size_t length, const std::vector<std::string>& pieces = kPieces)
    {
        std::string text;
        while (text.size() < length)
            text += pieces[Below(pieces.size())];
        text.resize(length);
        return text;
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

// Runs check on the portable path, then on the vector one where the processor has it.
template <typename Check>
void OnEachPath(Check check)
{
    for (const bool vectors : {false, true}) {
        SCOPED_TRACE(vectors ? "vector path" : "portable path");
        AllowVectorPath(vectors);
        check();
    }
    AllowVectorPath(true);
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
        return length + maker.Below(12 + length / 8);
    }
}

void ExpectFilterMatchesOn(FilterFunction engine, FilterFunction literal, const std::string& input,
                           std::size_t room)
{
    std::string slow = input;
    CRecordingProgress slowProgress;
    EXPECT_TRUE(literal(slow, room, slowProgress));
    const std::vector<std::string> expected = WithoutRepeats(slowProgress.m_calls);
    OnEachPath([&] {
        std::string fast = input;
        CRecordingProgress fastProgress;
        EXPECT_TRUE(engine(fast, room, fastProgress));
        // A failure names the input only when it is short enough to read.
        const std::string context = input.size() <= 300 ? testing::PrintToString(input)
                                                         : std::to_string(input.size()) + " bytes";
        ASSERT_TRUE(fast == slow) << "input " << context << " room " << room;
        ASSERT_TRUE(fastProgress.m_calls == expected) << "input " << context << " room " << room;
    });
}

void ExpectFilterMatches(FilterFunction engine, FilterFunction literal, std::uint32_t seed)
{
    CTextMaker maker(seed);
    for (int round = 0; round < 1500; ++round) {
        const std::string input = maker.Text(40);
        ExpectFilterMatchesOn(engine, literal, input, PickRoom(maker, input.size()));
    }
    for (std::size_t length = 0; length <= 200; ++length) {
        for (const std::vector<std::string>* pieces : {&kPieces, &kLinePieces}) {
            const std::string input = maker.TextOfLength(length, *pieces);
            ExpectFilterMatchesOn(engine, literal, input, PickRoom(maker, length));
        }
    }
    for (int round = 0; round < 6; ++round) {
        const std::string input = maker.TextOfLength(8000 + maker.Below(8000),
                                                     round % 2 ? kPieces : kLinePieces);
        ExpectFilterMatchesOn(engine, literal, input, PickRoom(maker, input.size()));
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

// Many keys under one first byte, 0x81: wide trie nodes, keys that are each other's
// start, keys that end in a lead byte.
void AddManyKeys(CConverter& converter, CTextMaker& maker)
{
    static const std::string kNext = "\x40\x41\x42\x43\x81\x82\x9F\xE0" "ax*/\r\n<&";
    for (int k = 0; k < 40; ++k) {
        std::string key = "\x81";
        const std::size_t length = maker.Below(5);
        for (std::size_t b = 0; b < length; ++b)
            key += kNext[maker.Below(kNext.size())];
        converter.AddRule(key, maker.Text(2));
    }
}

enum class CRuleSet { kBuiltIn, kRandom, kManyKeys };

struct CConvertCase {
    std::string m_strInput;
    int m_nFrequency = 0;
    std::size_t m_nMaxLength = 0;
    std::uint32_t m_nSeed = 0;
    bool m_bWholeCharacters = false;
};

void ExpectConvertMatchesOn(CConverter& converter, CRandom& random, const CConvertCase& c)
{
    CFixedClock clock;
    CRandom slowRandom(clock);
    slowRandom.Seed(c.m_nSeed);
    std::string slow = c.m_strInput;
    CRecordingProgress slowProgress;
    CSmilePlaceList slowPlaces;
    const bool slowDone = LiteralConvert(slow, converter.RuleTable(), c.m_nFrequency, slowRandom,
                                         c.m_nMaxLength, slowPlaces, slowProgress,
                                         c.m_bWholeCharacters);
    const int slowNext = slowRandom.Next();
    const std::vector<std::string> expected = WithoutRepeats(slowProgress.m_calls);
    const std::string context =
        (c.m_strInput.size() <= 300 ? "input " + testing::PrintToString(c.m_strInput)
                                    : std::to_string(c.m_strInput.size()) + " bytes") +
        " frequency " + std::to_string(c.m_nFrequency) + " maxLength " +
        std::to_string(c.m_nMaxLength) + " seed " + std::to_string(c.m_nSeed) +
        (c.m_bWholeCharacters ? " whole characters" : "");
    converter.m_nFrequency = c.m_nFrequency;
    OnEachPath([&] {
        random.Seed(c.m_nSeed);
        converter.ClearSmilePlaces();
        std::string fast = c.m_strInput;
        CRecordingProgress fastProgress;
        const bool fastDone =
            converter.Convert(fast, c.m_nMaxLength, fastProgress, c.m_bWholeCharacters);
        ASSERT_EQ(fastDone, slowDone) << context;
        ASSERT_TRUE(fast == slow) << context;
        ASSERT_EQ(converter.SmilePlaces(), slowPlaces) << context;
        ASSERT_EQ(random.Next(), slowNext) << context;
        ASSERT_TRUE(fastProgress.m_calls == expected) << context;
    });
}

constexpr int kFrequencies[] = {-5, 0, 1, 2, 30, 50, 70, 99, 100, 150};

// Rounds of random rules, texts, frequencies, limits, seeds and modes; then texts of
// every length up to a little over three windows; then long texts.
void ExpectConvertMatches(std::uint32_t seed, CRuleSet ruleSet)
{
    CTextMaker maker(seed);
    for (int round = 0; round < 1800; ++round) {
        CFakeNotifier notifier;
        CFixedClock clock;
        CRandom random(clock);
        CConverter converter(notifier, random);
        if (ruleSet == CRuleSet::kBuiltIn)
            converter.LoadBuiltInSet();
        else if (ruleSet == CRuleSet::kRandom)
            AddRandomRules(converter, maker);
        else
            AddManyKeys(converter, maker);
        CConvertCase c;
        c.m_nFrequency = kFrequencies[maker.Below(std::size(kFrequencies))];
        if (round < 1500)
            c.m_strInput = maker.Text(30);
        else if (round < 1700)
            c.m_strInput = maker.TextOfLength(static_cast<std::size_t>(round - 1500));
        else
            c.m_strInput = maker.TextOfLength(4000 + maker.Below(8000));
        // Random rules may grow a text at its end until the limit stops them; a small
        // limit keeps the literal form's per-position reports few.
        const std::size_t bigLimit =
            ruleSet == CRuleSet::kBuiltIn ? kMaxSmileLength : c.m_strInput.size() + 4096;
        c.m_nMaxLength = maker.Below(3) == 0 ? bigLimit : c.m_strInput.size() + maker.Below(16);
        c.m_nSeed = static_cast<std::uint32_t>(maker.Below(1u << 30));
        c.m_bWholeCharacters = maker.Below(2) == 0;
        ExpectConvertMatchesOn(converter, random, c);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(DifferentialTest, ConvertWithBuiltInSetMatchesLiteral)
{
    ExpectConvertMatches(4, CRuleSet::kBuiltIn);
}

TEST(DifferentialTest, ConvertWithRandomRulesMatchesLiteral)
{
    ExpectConvertMatches(5, CRuleSet::kRandom);
}

TEST(DifferentialTest, ConvertWithManyKeysUnderOneByteMatchesLiteral)
{
    ExpectConvertMatches(6, CRuleSet::kManyKeys);
}

}  // namespace
