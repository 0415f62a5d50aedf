#include <string>

#include <gtest/gtest.h>

#include "tests/engine/EngineTest.h"
#include "tests/fakes/FakeProfile.h"

namespace {

const std::string kBlackCircleUtf8 = Hex("E2978F");  // ●
const std::string kBlackCircle = Hex("819C");

class Settings : public CEngineTest {
protected:
    void Store(const std::string& key, CFakeProfile::CValue value)
    {
        m_profile.m_values[{"Settings", key}] = std::move(value);
    }
    CFakeProfile::CValue Stored(const std::string& key) const
    {
        return m_profile.m_values.at({"Settings", key});
    }

    CFakeProfile m_profile;
};

using CValue = CFakeProfile::CValue;

TEST_F(Settings, EmptyProfileGivesTheDefaultsAndTheBuiltInSet)
{
    EXPECT_TRUE(m_converter.LoadSettings(m_profile));
    EXPECT_EQ(m_converter.m_nFrequency, 2);
    EXPECT_FALSE(m_converter.m_bHTMLCut);
    EXPECT_FALSE(m_converter.m_bCPPCut);
    EXPECT_TRUE(m_converter.m_bReturnCode);
    EXPECT_EQ(m_converter.m_strHankaku, "*");
    EXPECT_EQ(m_converter.m_strZenkaku, kBlackCircle);
    EXPECT_EQ(m_converter.m_strModeFilePath, "????");
    EXPECT_EQ(m_converter.Name(), Hex("95CF 82ED 82E7 82CA 8FCE 8AE7"));
    EXPECT_EQ(m_converter.RuleTable().Size(), 11u);
}

TEST_F(Settings, SavingAfterLoadingWritesTheSameValues)
{
    m_converter.LoadSettings(m_profile);
    m_converter.SaveSettings(m_profile);
    EXPECT_EQ(m_profile.m_values.size(), 7u);
    EXPECT_EQ(Stored("modeFilePath"), CValue("????"));
    EXPECT_EQ(Stored("frequency"), CValue(2));
    EXPECT_EQ(Stored("HTMLCut"), CValue(0));
    EXPECT_EQ(Stored("CPPCut"), CValue(0));
    EXPECT_EQ(Stored("ReturnCode"), CValue(1));
    EXPECT_EQ(Stored("Hankaku"), CValue("*"));
    EXPECT_EQ(Stored("Zenkaku"), CValue(kBlackCircleUtf8));
}

TEST_F(Settings, AnyNonZeroSwitchReadsAsOnAndIsWrittenAsOne)
{
    Store("HTMLCut", 7);
    Store("CPPCut", -1);
    Store("ReturnCode", 0);
    m_converter.LoadSettings(m_profile);
    EXPECT_TRUE(m_converter.m_bHTMLCut);
    EXPECT_TRUE(m_converter.m_bCPPCut);
    EXPECT_FALSE(m_converter.m_bReturnCode);
    m_converter.SaveSettings(m_profile);
    EXPECT_EQ(Stored("HTMLCut"), CValue(1));
    EXPECT_EQ(Stored("CPPCut"), CValue(1));
    EXPECT_EQ(Stored("ReturnCode"), CValue(0));
}

TEST_F(Settings, StoredFrequencyIsUsedAsItIs)
{
    for (int frequency : {0, 250, -3}) {
        Store("frequency", frequency);
        m_converter.LoadSettings(m_profile);
        EXPECT_EQ(m_converter.m_nFrequency, frequency);
        m_converter.SaveSettings(m_profile);
        EXPECT_EQ(Stored("frequency"), CValue(frequency));
    }
}

TEST_F(Settings, MissingSmileFileLeavesAnEmptyUnnamedSetWithoutAMessage)
{
    Store("modeFilePath", std::string("/nonexistent/chirpwell/gone.grn"));
    EXPECT_FALSE(m_converter.LoadSettings(m_profile));
    EXPECT_EQ(m_converter.RuleTable().Size(), 0u);
    EXPECT_EQ(m_converter.Name(), Hex("8CA0 95BA 8971"));  // 権兵衛
    EXPECT_TRUE(m_notifier.m_messages.empty());
    m_converter.SaveSettings(m_profile);
    EXPECT_EQ(Stored("modeFilePath"), CValue("/nonexistent/chirpwell/gone.grn"));

    std::string text = Hex("82C5 82B7 8142");  // です。 stays as it is
    m_converter.m_nFrequency = 100;
    EXPECT_TRUE(m_converter.Convert(text, 100, m_progress));
    EXPECT_EQ(text, Hex("82C5 82B7 8142"));
}

TEST_F(Settings, CensorCharactersAreStoredAsUtf8)
{
    Store("Zenkaku", Hex("E296A0"));  // ■
    Store("Hankaku", Hex("EFBDB1"));  // half-width ｱ
    m_converter.LoadSettings(m_profile);
    EXPECT_EQ(m_converter.m_strZenkaku, Hex("81A1"));
    EXPECT_EQ(m_converter.m_strHankaku, Hex("B1"));

    m_converter.m_strZenkaku = Hex("82A0");  // あ
    m_converter.SaveSettings(m_profile);
    EXPECT_EQ(Stored("Zenkaku"), CValue(Hex("E38182")));
    EXPECT_EQ(Stored("Hankaku"), CValue(Hex("EFBDB1")));
}

TEST_F(Settings, CensorCharacterThatCp932LacksReadsAsTheDefault)
{
    Store("Zenkaku", Hex("F09F9880"));  // an emoji
    Store("Hankaku", Hex("FF"));        // no UTF-8 at all
    m_converter.LoadSettings(m_profile);
    EXPECT_EQ(m_converter.m_strZenkaku, kBlackCircle);
    EXPECT_EQ(m_converter.m_strHankaku, "*");
}

}  // namespace
