#include "cli/Encoding.h"

#include <cstdio>
#include <string_view>

#include "cli/Messages.h"
#include "engine/Cp932.h"

namespace {

// "LINE:COLUMN" of a byte offset in UTF-8 text.
std::string LineAndColumn(std::string_view utf8, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

// The code point that starts at offset of valid UTF-8, as "U+XXXX".
std::string CodePointAt(std::string_view utf8, std::size_t offset)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data()) + offset;
    unsigned long value = bytes[0];
    int extra = 0;
    if (value >= 0xF0) {
        value &= 0x07;
        extra = 3;
    } else if (value >= 0xE0) {
        value &= 0x0F;
        extra = 2;
    } else if (value >= 0xC0) {
        value &= 0x1F;
        extra = 1;
    }
    for (int k = 1; k <= extra; ++k)
        value = (value << 6) | (bytes[k] & 0x3F);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04lX", value);
    return buffer;
}

// Why utf8 did not convert, after what prefix says.
void ShowCodecError(const std::string& prefix, const std::string& utf8, const CCodecError& error,
                    CMessages& messages)
{
    if (error.m_bMalformed)
        messages.Error(prefix + "invalid UTF-8");
    else
        messages.Error(prefix + "the character " + CodePointAt(utf8, error.m_nOffset) +
                       " has no CP932 form");
}

}  // namespace

bool InputToCp932(const std::string& name, const std::string& utf8, std::string& cp932,
                  CMessages& messages)
{
    CCodecError error;
    if (Utf8ToCp932(utf8, cp932, &error))
        return true;
    ShowCodecError(name + ":" + LineAndColumn(utf8, error.m_nOffset) + ": ", utf8, error,
                   messages);
    return false;
}

bool CensorCharacter(const char* option, const std::string& utf8, std::string& cp932,
                     CMessages& messages)
{
    CCodecError error;
    if (Utf8ToCp932(utf8, cp932, &error))
        return true;
    ShowCodecError(std::string(option) + ": ", utf8, error, messages);
    return false;
}

bool ResultToUtf8(const std::string& cp932, std::string& utf8, CMessages& messages)
{
    CCodecError error;
    if (Cp932ToUtf8(cp932, utf8, &error))
        return true;
    messages.Error("the result is no CP932 text at byte " + std::to_string(error.m_nOffset) +
                   " (a smile landed inside a two-byte character) and cannot be written as UTF-8");
    return false;
}
