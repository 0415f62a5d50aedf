#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/SettingsChecks.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Random.h"
#include "engine/text/Codec.h"
#include "programs/FixedClock.h"
#include "tests/document/DocTest.h"
#include "tests/fakes/FakeNotifier.h"

namespace {

const std::string kNotInteger = Hex("90ae909482f093fc97cd82b582c482ad82be82b382a28142");
const std::string kRange =
    Hex("352082a982e7203130302082dc82c582cc90ae909482f093fc97cd82b582c482ad82be82b382a28142");
const std::string kMaxOne = Hex("312095b68e9a88c893e082c593fc97cd82b582c482ad82be82b382a28142");
const std::string kMaxTwo = Hex("322095b68e9a88c893e082c593fc97cd82b582c482ad82be82b382a28142");
const std::string kNotCp932 =
    Hex("53686966745f4a49532082c5955c82b982c882a295b68e9a82cd8e6782a682dc82b982f18142");

CSettingsInput Input(const std::string& frequency, const std::string& hankaku = "*",
                     const std::string& zenkaku = "\xE2\x97\x8F")  // ●
{
    CSettingsInput input;
    input.m_strFrequency = frequency;
    input.m_strHankaku = hankaku;
    input.m_strZenkaku = zenkaku;
    return input;
}

// The checks for a text of encoding, whose codec gives the censor characters codes.
std::optional<CSettingsRefusal> Check(const CSettingsInput& input, CSettingsValues& values,
                                      EEncoding encoding = EEncoding::ShiftJis)
{
    CCodec codec;
    codec.StartText({}, encoding);
    return CheckSettings(input, values, codec);
}

void ExpectRefused(const CSettingsInput& input, ESettingsField field, const std::string& message)
{
    CSettingsValues values;
    values.m_nFrequency = -1;
    const std::optional<CSettingsRefusal> refusal = Check(input, values);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->m_eField, field);
    EXPECT_EQ(refusal->m_strMessage, message);
    EXPECT_EQ(values.m_nFrequency, -1);  // nothing is copied back
}

TEST(SettingsChecksTest, FrequencyMustBeAnInteger)
{
    for (const char* text : {"abc", "", "  ", "5x", "1.5", "+", "99999999999"})
        ExpectRefused(Input(text), ESettingsField::Frequency, kNotInteger);
}

TEST(SettingsChecksTest, FrequencyMustLieFrom5To100)
{
    for (const char* text : {"4", "101", "0", "-5"})
        ExpectRefused(Input(text), ESettingsField::Frequency, kRange);
    for (const int accepted : {5, 100}) {
        CSettingsValues values;
        EXPECT_FALSE(Check(Input(std::to_string(accepted)), values).has_value());
        EXPECT_EQ(values.m_nFrequency, accepted);
    }
    CSettingsValues values;
    EXPECT_FALSE(Check(Input(" 42 "), values).has_value());
    EXPECT_EQ(values.m_nFrequency, 42);
}

TEST(SettingsChecksTest, CensorCharactersCountCp932Bytes)
{
    ExpectRefused(Input("50", "ab"), ESettingsField::Hankaku, kMaxOne);
    ExpectRefused(Input("50", "\xE3\x81\x82"), ESettingsField::Hankaku, kMaxOne);  // あ, 2 bytes
    ExpectRefused(Input("50", "*", "abc"), ESettingsField::Zenkaku, kMaxTwo);
    ExpectRefused(Input("50", "*", "\xE3\x81\x82" "a"), ESettingsField::Zenkaku, kMaxTwo);
    ExpectRefused(Input("50", "\xF0\x9F\x98\x80"), ESettingsField::Hankaku, kNotCp932);

    // ｱ is three bytes of UTF-8 but one of CP932.
    CSettingsInput input = Input("50", "\xEF\xBD\xB1", "\xE2\x96\xA0");  // ｱ ■
    input.m_bHTMLCut = true;
    input.m_bReturnCode = true;
    CSettingsValues values;
    EXPECT_FALSE(Check(input, values).has_value());
    EXPECT_EQ(values.m_strHankaku, Hex("b1"));
    EXPECT_EQ(values.m_strZenkaku, Hex("81a1"));
    EXPECT_TRUE(values.m_bHTMLCut);
    EXPECT_FALSE(values.m_bCPPCut);
    EXPECT_TRUE(values.m_bReturnCode);

    EXPECT_FALSE(Check(Input("50", "", ""), values).has_value());
    EXPECT_EQ(values.m_strHankaku, "");

    // The wave dash as typed on Linux censors with CP932's own in a Shift_JIS text,
    // and with itself, a code of the text's, in a UTF-8 one.
    EXPECT_FALSE(Check(Input("50", "*", "\xE3\x80\x9C"), values).has_value());
    EXPECT_EQ(values.m_strZenkaku, Hex("8160"));
    EXPECT_FALSE(Check(Input("50", "*", "\xE3\x80\x9C"), values, EEncoding::Utf8).has_value());
    EXPECT_EQ(values.m_strZenkaku, Hex("81AD"));
}

TEST(SettingsChecksTest, FirstFailingCheckInDialogOrderIsReported)
{
    ExpectRefused(Input("abc", "xx", "xxx"), ESettingsField::Frequency, kNotInteger);
    ExpectRefused(Input("4", "xx", "xxx"), ESettingsField::Frequency, kRange);
    ExpectRefused(Input("50", "xx", "xxx"), ESettingsField::Hankaku, kMaxOne);
}

TEST(SettingsChecksTest, FitsCp932BytesCountsTheConvertedText)
{
    EXPECT_TRUE(FitsCp932Bytes("", 0));
    EXPECT_TRUE(FitsCp932Bytes("a", 1));
    EXPECT_FALSE(FitsCp932Bytes("ab", 1));
    EXPECT_TRUE(FitsCp932Bytes("\xEF\xBD\xB1", 1));   // ｱ
    EXPECT_FALSE(FitsCp932Bytes("\xE3\x81\x82", 1));  // あ
    EXPECT_TRUE(FitsCp932Bytes("\xE3\x81\x82", 2));
    EXPECT_FALSE(FitsCp932Bytes("\xF0\x9F\x98\x80", 4));  // not in CP932
    EXPECT_FALSE(FitsCp932Bytes("\xE3\x81", 2));          // not UTF-8
}

class LoadSmileFileFromDialogTest : public ::testing::Test {
protected:
    CTemporaryFolder m_folder;
    CFakeNotifier m_notifier;
    CFixedClock m_clock;
    CRandom m_random{m_clock};
    CConverter m_converter{m_notifier, m_random};
};

TEST_F(LoadSmileFileFromDialogTest, SuccessGivesTheLoadedSetsName)
{
    const std::string path = m_folder.Write("a.grn", "n " + expected::kSampleName + "\nr . !.\n");
    EXPECT_EQ(LoadSmileFileFromDialog(m_converter, m_notifier, path), expected::kSampleName);
    EXPECT_EQ(m_converter.m_strModeFilePath, path);
    EXPECT_TRUE(m_notifier.m_messages.empty());
}

TEST_F(LoadSmileFileFromDialogTest, FailureSaysSoAndGivesTheBuiltInSet)
{
    const std::string path = m_folder.Write("bad.grn", "n x\nbad\n");
    EXPECT_EQ(LoadSmileFileFromDialog(m_converter, m_notifier, path), expected::kBuiltInName);
    EXPECT_EQ(m_notifier.m_messages,
              (std::vector<std::string>{expected::kLine2Error, expected::kSmileFileFailed}));

    m_notifier.m_messages.clear();
    EXPECT_EQ(LoadSmileFileFromDialog(m_converter, m_notifier, m_folder.PathOf("none.grn")),
              expected::kBuiltInName);
    EXPECT_EQ(m_notifier.m_messages, std::vector<std::string>{expected::kSmileFileFailed});
    EXPECT_FALSE(m_converter.RuleTable().Lookup(0x81).empty());
}

}  // namespace
