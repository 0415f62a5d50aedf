#include "document/DisplaySettings.h"

#include "engine/IProfile.h"

namespace {

constexpr char kSection[] = "Settings";

// Tenths of a point: 1 to 500 points.
constexpr int kMinFontSize = 10;
constexpr int kMaxFontSize = 5000;
constexpr int kMaxColour = 0xFFFFFF;

// A stored value that cannot be right is taken, and later written back, as the
// default, so that it never reaches the font or the palette.
int ReadInRange(IProfile& profile, const char* key, int low, int high, int fallback)
{
    const int value = profile.GetProfileInt(kSection, key, fallback);
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

void CDisplaySettings::Load(IProfile& profile)
{
    const CDisplaySettings defaults;
    m_strFont = profile.GetProfileString(kSection, "Font", defaults.m_strFont);
    m_nFontSize =
        ReadInRange(profile, "FontSize", kMinFontSize, kMaxFontSize, defaults.m_nFontSize);
    m_backColor = ReadInRange(profile, "BackColor", 0, kMaxColour, defaults.m_backColor);
    m_textColor = ReadInRange(profile, "TextColor", 0, kMaxColour, defaults.m_textColor);
    m_bAutoResize = profile.GetProfileInt(kSection, "AutoResize", 1) != 0;
    m_bDetectEncoding = profile.GetProfileInt(kSection, "DetectEncoding", 1) != 0;
}

void CDisplaySettings::Save(IProfile& profile) const
{
    profile.WriteProfileInt(kSection, "TextColor", m_textColor);
    profile.WriteProfileInt(kSection, "BackColor", m_backColor);
    profile.WriteProfileString(kSection, "Font", m_strFont);
    profile.WriteProfileInt(kSection, "FontSize", m_nFontSize);
    profile.WriteProfileInt(kSection, "AutoResize", m_bAutoResize ? 1 : 0);
    profile.WriteProfileInt(kSection, "DetectEncoding", m_bDetectEncoding ? 1 : 0);
}
