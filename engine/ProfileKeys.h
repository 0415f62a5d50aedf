#ifndef CHIRPWELL_ENGINE_PROFILEKEYS_H
#define CHIRPWELL_ENGINE_PROFILEKEYS_H

#include <string>

#include "engine/EngineTexts.h"
#include "engine/IProfile.h"
#include "engine/Limits.h"

// The converter's values in the per-user profile, with their section, name and
// default, and how any value is read and written; the window's own are in
// document/WindowKeys.h. Strings are UTF-8 as stored.

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

// The converter's settings.
inline constexpr CStringKey kKeyModeFilePath{kSettingsSection, "modeFilePath", kBuiltInSetPath};
inline constexpr CIntKey kKeyFrequency{kSettingsSection, "frequency", 2};
inline constexpr CIntKey kKeyHtmlCut{kSettingsSection, "HTMLCut", 0};
inline constexpr CIntKey kKeyCppCut{kSettingsSection, "CPPCut", 0};
inline constexpr CIntKey kKeyReturnCode{kSettingsSection, "ReturnCode", 1};
inline constexpr CStringKey kKeyHankaku{kSettingsSection, "Hankaku", kDefaultHankaku};
inline constexpr CStringKey kKeyZenkaku{kSettingsSection, "Zenkaku", kDefaultZenkaku};
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
