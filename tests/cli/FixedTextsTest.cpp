#include "cli/FixedTexts.h"

#include <gtest/gtest.h>

// The tests run without a catalogue, so the fixed texts come out in English.
TEST(FixedTextsTest, FixedTextsAreToldInEnglishWithWhatFillsThem)
{
    const struct {
        const char* m_japanese;
        const char* m_told;
    } cases[] = {
        {"文字列の長さが限界を超えました。この変換は無効です。",
         "the smiled text would be longer than 524,287 bytes; nothing is converted"},
        {"第12行で読み込みエラーが起きました。", "read error on line 12"},
        {"第1048575行で読み込みエラーが起きました。", "read error on line 1048575"},
        // Names with spaces and the fields' own words stay whole.
        {"my file.grn は EUC-JP として読めません。", "my file.grn cannot be read as EUC-JP"},
        {"a.grn には Shift_JIS にない文字が多すぎて開けません（6001 種類）。",
         "a.grn has too many kinds of characters that Shift_JIS lacks (6001)"},
        // Near misses are no fixed text and come through as they are.
        {"第行で読み込みエラーが起きました。", "第行で読み込みエラーが起きました。"},
        {"設定ファイルのロードに失敗しました。!", "設定ファイルのロードに失敗しました。!"},
        {"ﾌｧｲﾙが大きすぎて開けません", "ﾌｧｲﾙが大きすぎて開けません"},
        {"", ""},
        {"%1", "%1"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(FixedText(test.m_japanese), test.m_told) << test.m_japanese;
}
