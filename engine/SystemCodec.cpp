#include "engine/SystemCodec.h"

namespace {

const iconv_t kNoCodec = reinterpret_cast<iconv_t>(-1);

}  // namespace

CSystemDecoder::CSystemDecoder(const char* encoding) : m_cd(iconv_open("UTF-32LE", encoding))
{
}

CSystemDecoder::~CSystemDecoder()
{
    if (m_cd != kNoCodec)
        iconv_close(m_cd);
}

char32_t CSystemDecoder::Decode(std::string_view code)
{
    if (m_cd == kNoCodec)
        return 0;
    char32_t out[2];
    char* in = const_cast<char*>(code.data());
    std::size_t inLeft = code.size();
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t outLeft = sizeof out;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(m_cd, &in, &inLeft, &outPointer, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 || sizeof out - outLeft != sizeof(char32_t))
        return 0;
    return out[0];
}
