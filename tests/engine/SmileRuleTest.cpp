#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/smile/SmileRule.h"
#include "tests/engine/EngineTest.h"

namespace {

struct CEscapeCase {
    std::string m_strWritten;
    std::string m_strResolved;
};

TEST(EscapeResolution, ResolvesEachFormOnceAndDropsUnknownOnes)
{
    const std::vector<CEscapeCase> cases = {
        {"", ""},
        {"plain", "plain"},
        {"a##b", "a#b"},
        {"a#nb", "a\r\nb"},
        {"a#xb", "ab"},
        {"a#Nb", "ab"},
        {"ab#", "ab"},
        {"#", ""},
        {"#x", ""},
        {"##n", "#n"},  // an escape's output is not scanned again
        {"###n", "#\r\n"},
        {"#n#n", "\r\n\r\n"},
        // Only the lead byte goes; the second byte of the character stays alone.
        {"#" + Hex("82A0") + "z", Hex("A0") + "z"},
    };
    for (const CEscapeCase& c : cases) {
        SCOPED_TRACE(c.m_strWritten);
        EXPECT_EQ(ResolveEscapes(c.m_strWritten), c.m_strResolved);
    }
}

TEST(SmileRule, SetRuleResolvesBothStringsAndCountsTheResolvedReplacement)
{
    CSmileRule rule;
    rule.SetRule("k##", "a#nb#");
    EXPECT_EQ(rule.m_strKey, "k#");
    EXPECT_EQ(rule.m_strReplacement, "a\r\nb");
    EXPECT_EQ(rule.m_nReplacementLength, 4);
}

using RuleTable = CEngineTest;

TEST_F(RuleTable, RulesAreFiledByFirstResolvedByteInOrderWithDuplicates)
{
    m_converter.AddRule("#x" + Hex("8142"), "1");  // 。 after a dropped escape
    m_converter.AddRule("#x", "2");                 // resolves to the empty key
    m_converter.AddRule(Hex("8142"), "3");
    m_converter.AddRule(Hex("8142"), "3");
    m_converter.AddRule("", "");

    const CRuleTable& table = m_converter.RuleTable();
    EXPECT_EQ(table.Size(), 5u);
    const auto& maru = table.Lookup(0x81);
    ASSERT_EQ(maru.size(), 3u);
    EXPECT_EQ(maru[0].m_strKey, Hex("8142"));
    EXPECT_EQ(maru[0].m_strReplacement, "1");
    EXPECT_EQ(maru[1].m_strReplacement, "3");
    EXPECT_EQ(maru[2].m_strReplacement, "3");
    const auto& empty = table.Lookup(0);
    ASSERT_EQ(empty.size(), 2u);
    EXPECT_EQ(empty[0].m_strKey, "");
    EXPECT_EQ(empty[0].m_strReplacement, "2");
    EXPECT_EQ(empty[1].m_strReplacement, "");
    EXPECT_TRUE(table.Lookup('#').empty());
}

struct CExpectedRule {
    const char* m_pKey;  // hex
    const char* m_pReplacement;
    int m_nKeyBytes;
    int m_nReplacementBytes;
};

// The built-in set as the bytes of its Shift_JIS text, worked out by hand.
const CExpectedRule kUnder82[] = {
    {"82DC 82B7 8142", "82DC 82B9 82F1 8142", 6, 8},                              // ます。 ません。
    {"82C5 82B7 8142", "82C5 82CD 82A0 82E8 82DC 82B9 82F1 8142", 6, 16},         // です。
    {"82C8 82CC 82C5 8141", "82C6 82A2 82A4 82CC 82CD 8952 82C8 82CC 82C5 8141", 8, 20},  // なので、
};
const CExpectedRule kUnder81[] = {
    {"8142", "82CB 8148", 2, 4},                           // ね？
    {"8142", "8169 8FCE 816A 8142", 2, 8},                 // （笑）。
    {"8142", "8141 82E2 82C1 82D9 815B 8142", 2, 12},      // 、やっほー。
    {"8142", "2E2E 2E2E 2E2E 8142", 2, 8},                 // ......。
    {"8141", "8169 97DC 816A 8141", 2, 8},                 // （涙）、
    {"8141", "82BE 82CB 8141", 2, 6},                      // だね、
    {"8141", "8141 82C8 82F1 82C6", 2, 8},                 // 、なんと
    {"8141", "285E 5F5E 3B29 8141", 2, 8},                 // (^_^;)、
};

template <std::size_t N>
void ExpectList(const std::vector<CSmileRule>& list, const CExpectedRule (&expected)[N])
{
    ASSERT_EQ(list.size(), N);
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].m_strKey, Hex(expected[i].m_pKey));
        EXPECT_EQ(list[i].m_strReplacement, Hex(expected[i].m_pReplacement));
        EXPECT_EQ(static_cast<int>(list[i].m_strKey.size()), expected[i].m_nKeyBytes);
        EXPECT_EQ(list[i].m_nReplacementLength, expected[i].m_nReplacementBytes);
    }
}

using BuiltInSet = CEngineTest;

TEST_F(BuiltInSet, HoldsElevenRulesByteForByteUnderTwoBytes)
{
    m_converter.LoadBuiltInSet();
    EXPECT_EQ(m_converter.Name(), Hex("95CF 82ED 82E7 82CA 8FCE 8AE7"));  // 変わらぬ笑顔
    const CRuleTable& table = m_converter.RuleTable();
    EXPECT_EQ(table.Size(), 11u);
    ExpectList(table.Lookup(0x82), kUnder82);
    ExpectList(table.Lookup(0x81), kUnder81);
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != 0x81 && byte != 0x82) {
            EXPECT_TRUE(table.Lookup(static_cast<unsigned char>(byte)).empty()) << byte;
        }
    }
}

TEST_F(BuiltInSet, ReplacesEarlierRulesAndInstallsOnlyOnce)
{
    m_converter.AddRule("a", "b");
    m_converter.AddRule("", "c");
    m_converter.LoadBuiltInSet();
    m_converter.LoadBuiltInSet();
    EXPECT_EQ(m_converter.RuleTable().Size(), 11u);
    EXPECT_TRUE(m_converter.RuleTable().Lookup('a').empty());
    EXPECT_TRUE(m_converter.RuleTable().Lookup(0).empty());
    EXPECT_EQ(m_converter.RuleTable().Lookup(0x81).size(), 8u);
}

TEST_F(BuiltInSet, LeavesPathAndSeparatorAlone)
{
    m_converter.LoadSmileFile("????");
    ASSERT_TRUE(m_converter.ParseLine("s ::"));
    m_converter.m_strModeFilePath = "mine.grn";
    m_converter.LoadBuiltInSet();
    EXPECT_EQ(m_converter.Separator(), "::");
    EXPECT_EQ(m_converter.m_strModeFilePath, "mine.grn");
}

}  // namespace
