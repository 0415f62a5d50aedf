#include "engine/ProfileText.h"

#include "engine/Cp932.h"
#include "engine/IProfile.h"

std::string ReadCp932(IProfile& profile, const CStringKey& key)
{
    std::string cp932;
    if (Utf8ToCp932(ReadProfile(profile, key), cp932))
        return cp932;
    return Cp932Text(key.m_pDefault);
}

void WriteCp932(IProfile& profile, const CStringKey& key, const std::string& cp932)
{
    std::string utf8;
    if (Cp932ToUtf8(cp932, utf8))
        WriteProfile(profile, key, utf8);
}
