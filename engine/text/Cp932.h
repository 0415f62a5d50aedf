#ifndef CHIRPWELL_ENGINE_TEXT_CP932_H
#define CHIRPWELL_ENGINE_TEXT_CP932_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Helpers for Shift_JIS text as code page 932 has it. Positions count bytes.

// True for the first byte of a two-byte character; the byte after it is always its
// second byte, whatever its value.
constexpr bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The first unit of bytes that is no CP932 character, or npos. With taken, which
// must then hold a flag per free code, the walk goes to the end and flags there each
// unassigned pair the bytes hold, by its place among the free codes.
std::size_t FindUnassignedCp932(std::string_view bytes, std::vector<bool>* taken);

// The first occurrence of needle in text that starts on a character boundary, or
// npos. An empty needle is found at 0.
std::size_t FindInText(std::string_view text, std::string_view needle);

// The start of the first invalid UTF-8 sequence (overlong forms and surrogates
// included), or npos.
std::size_t FindInvalidUtf8(std::string_view utf8);

// The character that starts utf8 (size bytes, at least 1) and its length in bytes;
// 0 when no valid UTF-8 sequence starts there (then length is unset). Inline: it
// runs once a character over whole files.
inline char32_t DecodeUtf8Character(const unsigned char* utf8, std::size_t size, std::size_t& length)
{
    const unsigned char lead = utf8[0];
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    std::size_t count;
    unsigned char low = 0x80;  // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 3;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 4;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        if (lead == 0xF4)
            high = 0x8F;  // past U+10FFFF
    } else {
        return 0;
    }
    if (count > size || utf8[1] < low || utf8[1] > high)
        return 0;
    char32_t character = lead & (0x7F >> count);
    for (std::size_t k = 1; k < count; ++k) {
        if (k > 1 && (utf8[k] < 0x80 || utf8[k] > 0xBF))
            return 0;
        character = character << 6 | (utf8[k] & 0x3F);
    }
    length = count;
    return character;
}

// The character of a well-formed three-byte UTF-8 sequence at utf8 (size bytes), 0
// when none starts there. Japanese text is mostly such characters, so the loops over
// whole files try this first.
inline char32_t DecodeUtf8ThreeBytes(std::uint32_t word);
inline char32_t DecodeUtf8ThreeBytes(const unsigned char* utf8, std::size_t size)
{
    if (size < 3)
        return 0;
    std::uint32_t word;
    if (size >= 4)
        std::memcpy(&word, utf8, 4);
    else
        word = utf8[0] | utf8[1] << 8 | static_cast<std::uint32_t>(utf8[2]) << 16;
    return DecodeUtf8ThreeBytes(word);
}

// The same for the bytes as one little-endian number, the fourth byte aside:
// 1110xxxx 10xxxxxx 10xxxxxx. Overlong forms (E0 then below A0) and surrogates (ED
// then A0 or above) are no characters.
inline char32_t DecodeUtf8ThreeBytes(std::uint32_t word)
{
    const std::uint32_t range = word & 0x200F;
    if ((word & 0xC0C0F0) != 0x8080E0 || range == 0 || range == 0x200D)
        return 0;
    return (word & 0x0F) << 12 | (word & 0x3F00) >> 2 | (word & 0x3F0000) >> 16;
}

// A fixed UTF-8 text of the program in CP932. The text must be representable.
std::string Cp932Text(std::string_view utf8);

#endif
