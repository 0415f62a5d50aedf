#include "engine/ProfileText.h"

#include "engine/IProfile.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"

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
