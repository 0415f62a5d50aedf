#include <gtest/gtest.h>

#include "document/TextSearch.h"
#include "tests/document/DocTest.h"

namespace {

CSelection At(std::size_t start, std::size_t end)
{
    return {start, end};
}

TEST(TextSearchTest, StepsDownFromTheSelectionEndAndUpFromItsStart)
{
    const std::string text = "xabyab";
    EXPECT_EQ(FindText(text, "ab", At(0, 0), true, false), At(1, 3));
    EXPECT_EQ(FindText(text, "ab", At(1, 3), true, false), At(4, 6));
    EXPECT_EQ(FindText(text, "ab", At(4, 6), true, false), std::nullopt);
    EXPECT_EQ(FindText(text, "ab", At(4, 6), true, true), At(1, 3));
    EXPECT_EQ(FindText(text, "ab", At(1, 3), true, true), std::nullopt);
    EXPECT_EQ(FindText(text, "", At(0, 0), true, false), std::nullopt);
}

TEST(TextSearchTest, MatchCaseFoldsOnlySingleByteLetters)
{
    const std::string text = "ABC abc";
    EXPECT_EQ(FindText(text, "abc", At(0, 0), true, false), At(4, 7));
    EXPECT_EQ(FindText(text, "abc", At(0, 0), false, false), At(0, 3));
    // Full-width Ａ (82 60) and ａ (82 81) are other characters, never folded.
    const std::string wide = Hex("8260 8281");
    EXPECT_EQ(FindText(wide, Hex("8281"), At(0, 0), false, false), At(2, 4));
    EXPECT_EQ(FindText(wide, Hex("8281"), At(0, 2), false, true), std::nullopt);
}

TEST(TextSearchTest, NeverMatchesTheSecondByteOfACharacter)
{
    // ア is 83 41: its second byte is the letter A.
    const std::string text = Hex("8341") + "A";
    EXPECT_EQ(FindText(text, "A", At(0, 0), true, false), At(2, 3));
    EXPECT_EQ(FindText(text, "a", At(0, 0), false, false), At(2, 3));
    EXPECT_EQ(FindText(text, "A", At(3, 3), true, true), At(2, 3));
    EXPECT_EQ(FindText(Hex("8341"), "A", At(0, 0), false, false), std::nullopt);
}

}  // namespace
