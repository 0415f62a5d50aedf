#ifndef CHIRPWELL_ENGINE_PROFILEKEYS_H
#define CHIRPWELL_ENGINE_PROFILEKEYS_H

#include <string>

#include "engine/EngineTexts.h"
#include "engine/IProfile.h"
#include "engine/Limits.h"

// Every value the program keeps in the per-user profile, with its section, its name
// and its default; one place for all of them. Strings are UTF-8 as stored; colours
// 0x00BBGGRR; the font size tenths of a point.

struct CIntKey {
    const char* m_pSection;
    const char* m_pName;
    int m_nDefault;
};

struct CStringKey {
    const char* m_pSection;
    const char* m_pName;
    const char* m_pDefault;
};

inline constexpr char kSettingsSection[] = "Settings";
inline constexpr char kRecentFileSection[] = "Recent File List";

// The converter's settings.
inline constexpr CStringKey kKeyModeFilePath{kSettingsSection, "modeFilePath", kBuiltInSetPath};
inline constexpr CIntKey kKeyFrequency{kSettingsSection, "frequency", 2};
inline constexpr CIntKey kKeyHtmlCut{kSettingsSection, "HTMLCut", 0};
inline constexpr CIntKey kKeyCppCut{kSettingsSection, "CPPCut", 0};
inline constexpr CIntKey kKeyReturnCode{kSettingsSection, "ReturnCode", 1};
inline constexpr CStringKey kKeyHankaku{kSettingsSection, "Hankaku", kDefaultHankaku};
inline constexpr CStringKey kKeyZenkaku{kSettingsSection, "Zenkaku", kDefaultZenkaku};
// The working folder the document enters; "noSet" for none. Only read.
inline constexpr CStringKey kKeyCurrentDirectory{kSettingsSection, "CurrentDirectory", "noSet"};

// The display settings.
inline constexpr CStringKey kKeyFont{kSettingsSection, "Font", "FixedSys"};
inline constexpr CIntKey kKeyFontSize{kSettingsSection, "FontSize", 140};
inline constexpr CIntKey kKeyBackColor{kSettingsSection, "BackColor", 0xB4B4B4};
inline constexpr CIntKey kKeyTextColor{kSettingsSection, "TextColor", 0};
inline constexpr CIntKey kKeyAutoResize{kSettingsSection, "AutoResize", 1};
inline constexpr CIntKey kKeyDetectEncoding{kSettingsSection, "DetectEncoding", 1};

// Printing: 1 or 2 pages side by side in the preview.
inline constexpr CIntKey kKeyPreviewPages{kSettingsSection, "PreviewPages", 1};

// The recent files are "File1" to "File8" of their own section, "" for none.
inline constexpr char kRecentFileKeyPrefix[] = "File";

inline int ReadProfile(IProfile& profile, const CIntKey& key)
{
    return profile.GetProfileInt(key.m_pSection, key.m_pName, key.m_nDefault);
}

inline std::string ReadProfile(IProfile& profile, const CStringKey& key)
{
    return profile.GetProfileString(key.m_pSection, key.m_pName, key.m_pDefault);
}

inline void WriteProfile(IProfile& profile, const CIntKey& key, int value)
{
    profile.WriteProfileInt(key.m_pSection, key.m_pName, value);
}

inline void WriteProfile(IProfile& profile, const CStringKey& key, const std::string& value)
{
    profile.WriteProfileString(key.m_pSection, key.m_pName, value);
}

#endif
