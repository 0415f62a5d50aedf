#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/VectorPath.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "tests/engine/EngineTest.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

TEST(Cp932, LeadBytesAre81To9FAndE0ToFC)
{
    EXPECT_FALSE(IsLeadByte(0x00));
    EXPECT_FALSE(IsLeadByte(0x7F));
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
    EXPECT_FALSE(IsLeadByte(0xFF));
}

// The vector check goes 32 bytes at a time and tells lead bytes from the runs of
// bytes in the lead range, so texts of mixed units, with a fault anywhere, must
// give the first unassigned unit exactly where the byte-by-byte walk finds it.
TEST(Cp932, VectorCheckFindsWhatTheWalkFinds)
{
    const std::vector<std::string> valid = {
        "a", "\r\n", Hex("B1"), Hex("82A0"), Hex("8341"), Hex("8142"), Hex("889F"),
        Hex("9F40"), Hex("E0FC"), Hex("ED40"), Hex("8740"), Hex("FA40"), Hex("889F889F"),
        Hex("8181"), Hex("83BF")};
    const std::vector<std::string> faults = {
        Hex("81AD"), Hex("8240"), Hex("8540"), Hex("80"), Hex("A0"), Hex("FD"),
        std::string(1, '\0'), Hex("8220"), Hex("887F"), Hex("83FC"), Hex("FCFC")};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const std::size_t units = random() % 120;
        for (std::size_t unit = 0; unit < units; ++unit)
            text += valid[random() % valid.size()];
        if (round % 3 != 0) {
            const std::size_t at = text.empty() ? 0 : random() % text.size();
            text.insert(at, faults[random() % faults.size()]);
        }
        if (round % 7 == 0)
            text += Hex("88");  // a lead byte at the end
        AllowVectorPath(false);
        const std::size_t walked = FindUnassignedCp932(text, nullptr);
        AllowVectorPath(true);
        ASSERT_EQ(FindUnassignedCp932(text, nullptr), walked) << round;
    }
}

TEST(Cp932, FindInTextNeverMatchesFromASecondByte)
{
    const std::string ten = Hex("8141");                  // 、
    const std::string fullA = Hex("8281") + "A";          // ａA holds 81 41 from byte 1
    EXPECT_EQ(FindInText(fullA, ten), npos);
    EXPECT_EQ(FindInText(fullA + ten, ten), 3u);
    EXPECT_EQ(FindInText(Hex("8140") + "@", "@"), 2u);  // 0x40 as a second byte is skipped
    EXPECT_EQ(FindInText("ab", ""), 0u);
    EXPECT_EQ(FindInText("ab", "abc"), npos);
    EXPECT_EQ(FindInText("a" + Hex("82"), Hex("82")), 1u);
}

TEST(Cp932, FindInvalidUtf8RefusesOverlongSurrogateAndOutOfRangeForms)
{
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"", npos},
        {"plain", npos},
        {Hex("E381 82"), npos},          // あ
        {Hex("C280 DFBF"), npos},
        {Hex("E0A0 80 ED9F BF"), npos},  // U+0800, U+D7FF
        {Hex("F090 8080 F48F BFBF"), npos},
        {Hex("C080"), 0},                // overlong
        {"a" + Hex("C1BF"), 1},
        {"ab" + Hex("E080 80"), 2},
        {Hex("F08F BFBF"), 0},
        {Hex("EDA0 80"), 0},             // surrogates
        {Hex("EDBF BF"), 0},
        {Hex("F490 8080"), 0},           // past U+10FFFF
        {Hex("F5"), 0},
        {Hex("FF"), 0},
        {"a" + Hex("80"), 1},            // a lone continuation byte
        {"a" + Hex("E381"), 1},          // cut short
        {Hex("E341 82"), 0},
        {"eight by" + Hex("FF"), 8},                  // after a word of ASCII
        {"abcdefg" + Hex("80") + "abcdefgh", 7},      // inside the first word
        {"abcdefghijklmno" + Hex("E381"), 15},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FindInvalidUtf8(text), expected);
    }
}

TEST(Cp932, ConvertsBothWays)
{
    std::string cp932;
    ASSERT_TRUE(Utf8ToCp932(Hex("E381A7 E38199 E38082") + "a", cp932));  // です。a
    EXPECT_EQ(cp932, Hex("82C5 82B7 8142") + "a");
    std::string utf8;
    ASSERT_TRUE(Cp932ToUtf8(Hex("82A0 B1 819C"), utf8));  // あｱ●
    EXPECT_EQ(utf8, Hex("E38182 EFBDB1 E2978F"));
    EXPECT_EQ(Cp932Text(Hex("E2978F")), Hex("819C"));
}

TEST(Cp932, ConversionRefusesWhatHasNoFormOnTheOtherSide)
{
    std::string out = "untouched";
    EXPECT_FALSE(Utf8ToCp932("ab" + Hex("F09F9880"), out));  // an emoji
    EXPECT_FALSE(Utf8ToCp932("a" + Hex("C080"), out));        // no UTF-8
    EXPECT_FALSE(Cp932ToUtf8("abc" + Hex("8540"), out));     // an unassigned pair
    EXPECT_FALSE(Cp932ToUtf8(Hex("82A0 82"), out));           // a cut character
    EXPECT_FALSE(Cp932ToUtf8(Hex("80"), out));
    EXPECT_EQ(out, "untouched");
    // The JIS forms of the wave dash and the minus, as typed on Linux.
    ASSERT_TRUE(Utf8ToCp932(Hex("E3809C E28892"), out));
    EXPECT_EQ(out, Hex("8160 817C"));
}

}  // namespace
