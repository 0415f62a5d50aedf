#include "document/DisplaySettings.h"

#include "document/WindowKeys.h"

namespace {

// Tenths of a point: 1 to 500 points.
constexpr int kMinFontSize = 10;
constexpr int kMaxFontSize = 5000;
constexpr int kMaxColour = 0xFFFFFF;

// A stored value that cannot be right is taken, and later written back, as the
// default, so that it never reaches the font or the palette.
int ReadInRange(IProfile& profile, const CIntKey& key, int low, int high)
{
    const int value = ReadProfile(profile, key);
    return value >= low && value <= high ? value : key.m_nDefault;
}

}  // namespace

void CDisplaySettings::Load(IProfile& profile)
{
    m_strFont = ReadProfile(profile, kKeyFont);
    m_nFontSize = ReadInRange(profile, kKeyFontSize, kMinFontSize, kMaxFontSize);
    m_backColor = ReadInRange(profile, kKeyBackColor, 0, kMaxColour);
    m_textColor = ReadInRange(profile, kKeyTextColor, 0, kMaxColour);
    m_bAutoResize = ReadProfile(profile, kKeyAutoResize) != 0;
    m_bDetectEncoding = ReadProfile(profile, kKeyDetectEncoding) != 0;
}

void CDisplaySettings::Save(IProfile& profile) const
{
    WriteProfile(profile, kKeyTextColor, m_textColor);
    WriteProfile(profile, kKeyBackColor, m_backColor);
    WriteProfile(profile, kKeyFont, m_strFont);
    WriteProfile(profile, kKeyFontSize, m_nFontSize);
    WriteProfile(profile, kKeyAutoResize, m_bAutoResize ? 1 : 0);
    WriteProfile(profile, kKeyDetectEncoding, m_bDetectEncoding ? 1 : 0);
}
