#include <tuple>

#include <gtest/gtest.h>

#include "document/DisplaySettings.h"
#include "tests/fakes/FakeProfile.h"

namespace {

TEST(DisplaySettingsTest, EmptyProfileGivesFixedSysOnGrey)
{
    CFakeProfile profile;
    CDisplaySettings settings;
    settings.m_bAutoResize = false;
    settings.m_strFont = "other";
    settings.Load(profile);
    EXPECT_EQ(settings.m_strFont, "FixedSys");
    EXPECT_EQ(settings.m_nFontSize, 140);
    EXPECT_EQ(settings.m_backColor, 0xB4B4B4);
    EXPECT_EQ(settings.m_backColor, 11842740);
    EXPECT_EQ(settings.m_textColor, 0);
    EXPECT_TRUE(settings.m_bAutoResize);
    EXPECT_TRUE(profile.m_values.empty());
}

TEST(DisplaySettingsTest, AnyNonZeroAutoResizeIsOnAndWrittenBackAsOne)
{
    CFakeProfile profile;
    profile.WriteProfileInt("Settings", "AutoResize", 5);
    CDisplaySettings settings;
    settings.Load(profile);
    EXPECT_TRUE(settings.m_bAutoResize);
    settings.Save(profile);
    EXPECT_EQ(profile.GetProfileInt("Settings", "AutoResize", -1), 1);

    profile.WriteProfileInt("Settings", "AutoResize", 0);
    settings.Load(profile);
    EXPECT_FALSE(settings.m_bAutoResize);
    settings.Save(profile);
    EXPECT_EQ(profile.GetProfileInt("Settings", "AutoResize", -1), 0);
}

TEST(DisplaySettingsTest, ValuesThatCannotBeRightBecomeDefaults)
{
    CFakeProfile profile;
    CDisplaySettings settings;
    for (const auto& [fontSize, backColor, textColor] :
         {std::tuple{-5, -1, 0x1000000}, std::tuple{9, 0x7FFFFFFF, -2}, std::tuple{5001, -1, -1}}) {
        profile.WriteProfileInt("Settings", "FontSize", fontSize);
        profile.WriteProfileInt("Settings", "BackColor", backColor);
        profile.WriteProfileInt("Settings", "TextColor", textColor);
        settings.Load(profile);
        EXPECT_EQ(settings.m_nFontSize, 140) << fontSize;
        EXPECT_EQ(settings.m_backColor, 0xB4B4B4) << backColor;
        EXPECT_EQ(settings.m_textColor, 0) << textColor;
        settings.Save(profile);
        EXPECT_EQ(profile.GetProfileInt("Settings", "FontSize", -1), 140);
    }
    // The ends of the ranges stay.
    profile.WriteProfileInt("Settings", "FontSize", 10);
    profile.WriteProfileInt("Settings", "BackColor", 0xFFFFFF);
    settings.Load(profile);
    EXPECT_EQ(settings.m_nFontSize, 10);
    EXPECT_EQ(settings.m_backColor, 0xFFFFFF);
    profile.WriteProfileInt("Settings", "FontSize", 5000);
    settings.Load(profile);
    EXPECT_EQ(settings.m_nFontSize, 5000);
}

TEST(DisplaySettingsTest, ValuesRoundTripUnderTheirKeys)
{
    CFakeProfile profile;
    CDisplaySettings settings;
    settings.m_strFont = "IPAGothic";
    settings.m_nFontSize = 105;
    settings.m_backColor = 0x00FF8000;
    settings.m_textColor = 0x000000FF;
    settings.m_bAutoResize = false;
    settings.m_bDetectEncoding = false;
    settings.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Settings", "Font", ""), "IPAGothic");
    EXPECT_EQ(profile.GetProfileInt("Settings", "FontSize", 0), 105);
    EXPECT_EQ(profile.GetProfileInt("Settings", "BackColor", 0), 0x00FF8000);
    EXPECT_EQ(profile.GetProfileInt("Settings", "TextColor", 0), 0xFF);
    EXPECT_EQ(profile.GetProfileInt("Settings", "DetectEncoding", 1), 0);
    EXPECT_EQ(profile.m_values.size(), 6u);

    CDisplaySettings restarted;
    restarted.Load(profile);
    EXPECT_EQ(restarted.m_strFont, "IPAGothic");
    EXPECT_EQ(restarted.m_nFontSize, 105);
    EXPECT_EQ(restarted.m_backColor, 0x00FF8000);
    EXPECT_EQ(restarted.m_textColor, 0xFF);
    EXPECT_FALSE(restarted.m_bAutoResize);
    EXPECT_FALSE(restarted.m_bDetectEncoding);
}

}  // namespace
