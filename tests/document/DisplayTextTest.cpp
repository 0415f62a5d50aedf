#include <string>

#include <gtest/gtest.h>

#include "document/DisplayText.h"
#include "engine/text/Codec.h"
#include "tests/document/DocTest.h"

namespace {

TEST(DisplayTextTest, EachKindOfLineBreakShowsAsOneNewline)
{
    const CDisplayText text("a\r\nb\rc\nd\n\re");
    EXPECT_EQ(text.Shown(), u"a\nb\nc\nd\n\ne");
    EXPECT_EQ(text.ByteLength(), 11u);
    // The LF of a CR LF pair belongs to the one shown break.
    EXPECT_EQ(text.ShownAtOrBefore(2), 1u);
    EXPECT_EQ(text.ShownAtOrAfter(2), 2u);
    EXPECT_EQ(text.ByteAt(2), 3u);
}

TEST(DisplayTextTest, TwoByteCharacterShowsAsOne)
{
    const CDisplayText text(Hex("61 82a0 8fce b1 62"));  // a あ 笑 ｱ b
    EXPECT_EQ(text.Shown(), u"aあ笑ｱb");
}

TEST(DisplayTextTest, UnitsThatAreNoCharacterShowAsReplacement)
{
    // 0x80, 0xA0 and 0xFF are no characters alone; 0x85 0x40 is an empty cell. A
    // lead byte takes the byte after it, even a LF.
    const CDisplayText text(Hex("80 a0 ff 8540 41 82 0a 42"));
    EXPECT_EQ(text.Shown(), u"\uFFFD\uFFFD\uFFFD\uFFFDA\uFFFDB");
    EXPECT_EQ(text.ByteAt(5), 6u);
    EXPECT_EQ(text.ByteAt(6), 8u);
}

TEST(DisplayTextTest, LeadByteAtTheEndShowsAsReplacement)
{
    const CDisplayText text(Hex("61 82"));
    EXPECT_EQ(text.Shown(), u"a\uFFFD");
    EXPECT_EQ(text.ByteLength(), 2u);
    EXPECT_EQ(text.ByteAt(1), 1u);
    EXPECT_EQ(text.ByteAt(2), 2u);
}

TEST(DisplayTextTest, PositionsMapBothWays)
{
    const CDisplayText text(Hex("61 82a0 62"));  // a あ b: bytes 0, 1-2, 3
    EXPECT_EQ(text.ShownAtOrBefore(0), 0u);
    EXPECT_EQ(text.ShownAtOrBefore(1), 1u);
    EXPECT_EQ(text.ShownAtOrBefore(2), 1u);  // inside あ: the character holding it
    EXPECT_EQ(text.ShownAtOrAfter(2), 2u);   // inside あ: the next character
    EXPECT_EQ(text.ShownAtOrBefore(3), 2u);
    EXPECT_EQ(text.ShownAtOrBefore(4), 3u);
    EXPECT_EQ(text.ShownAtOrBefore(99), 3u);
    EXPECT_EQ(text.ShownAtOrAfter(4), 3u);
    EXPECT_EQ(text.ShownAtOrAfter(99), 3u);
    EXPECT_EQ(text.ByteAt(0), 0u);
    EXPECT_EQ(text.ByteAt(1), 1u);
    EXPECT_EQ(text.ByteAt(2), 3u);
    EXPECT_EQ(text.ByteAt(3), 4u);
    EXPECT_EQ(text.ByteAt(99), 4u);
}

TEST(DisplayTextTest, OwnCodesShowAsTheirCharactersBeyondUffffAsTwoUnits)
{
    CCodec codec;
    std::string bytes;
    CTextFault fault;
    ASSERT_TRUE(codec.DecodeText("a" + Hex("F09F9880 E3809C") + "b", EEncoding::Utf8, bytes, fault));
    ASSERT_EQ(bytes, Hex("61 81ad 81ae 62"));
    EXPECT_EQ(CDisplayText(bytes).Shown(), u"a\uFFFD\uFFFDb");
    const CDisplayText text(bytes, &codec);
    EXPECT_EQ(text.Shown(), u"a\U0001F600\u301Cb");
    EXPECT_EQ(text.ShownAtOrBefore(1), 1u);
    EXPECT_EQ(text.ShownAtOrBefore(2), 1u);  // inside the emoji: its first unit
    EXPECT_EQ(text.ShownAtOrAfter(2), 3u);
    EXPECT_EQ(text.ShownAtOrBefore(3), 3u);
    EXPECT_EQ(text.ByteAt(1), 1u);
    EXPECT_EQ(text.ByteAt(2), 1u);           // the second unit belongs to the same bytes
    EXPECT_EQ(text.ByteAt(3), 3u);
    EXPECT_EQ(text.ByteAt(4), 5u);
}

}  // namespace
