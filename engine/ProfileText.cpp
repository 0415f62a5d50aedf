#include "engine/ProfileText.h"

#include "engine/Codec.h"
#include "engine/Cp932.h"
#include "engine/IProfile.h"

std::string ReadCp932(IProfile& profile, const CStringKey& key, CCodec& codec)
{
    std::string cp932;
    if (codec.DecodeCp932Input(ReadProfile(profile, key), cp932))
        return cp932;
    return Cp932Text(key.m_pDefault);
}

void WriteCp932(IProfile& profile, const CStringKey& key, const std::string& cp932,
                const CCodec& codec)
{
    std::string utf8;
    CTextFault fault;
    if (codec.Encode(cp932, EEncoding::Utf8, utf8, fault))
        WriteProfile(profile, key, utf8);
}
