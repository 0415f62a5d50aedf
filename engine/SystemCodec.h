#ifndef CHIRPWELL_ENGINE_SYSTEMCODEC_H
#define CHIRPWELL_ENGINE_SYSTEMCODEC_H

#include <string_view>

#include <iconv.h>

// The system's codec from one encoding to UTF-32, asked one code at a time while
// the program's tables are built. Owns its iconv descriptor.
class CSystemDecoder {
public:
    explicit CSystemDecoder(const char* encoding);
    ~CSystemDecoder();
    CSystemDecoder(const CSystemDecoder&) = delete;
    CSystemDecoder& operator=(const CSystemDecoder&) = delete;

    // The one character that code stands for, or 0 when it stands for none, for
    // more than one, or the codec is missing.
    char32_t Decode(std::string_view code);

private:
    iconv_t m_cd;
};

#endif
