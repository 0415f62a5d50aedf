#include "document/DisplaySettings.h"

#include "engine/IProfile.h"

namespace {

constexpr char kSection[] = "Settings";

}  // namespace

void CDisplaySettings::Load(IProfile& profile)
{
    const CDisplaySettings defaults;
    m_strFont = profile.GetProfileString(kSection, "Font", defaults.m_strFont);
    m_nFontSize = profile.GetProfileInt(kSection, "FontSize", defaults.m_nFontSize);
    m_backColor = profile.GetProfileInt(kSection, "BackColor", defaults.m_backColor);
    m_textColor = profile.GetProfileInt(kSection, "TextColor", defaults.m_textColor);
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
