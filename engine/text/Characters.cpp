#include "engine/text/Characters.h"

#include <cstdint>
#include <string_view>

#include "engine/text/CodecTables.h"
#include "engine/text/Cp932.h"
#include "engine/text/EucJp.h"

namespace {

constexpr int kRowLength = 94;

bool InRow(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xFE;
}

std::size_t RowIndex(unsigned char high, unsigned char low)
{
    return static_cast<std::size_t>(high - 0xA1) * kRowLength + (low - 0xA1);
}

char32_t DecodeUtf16(const unsigned char* bytes, std::size_t size, bool littleEndian,
                     std::size_t& length)
{
    auto unit = [bytes, littleEndian](std::size_t at) -> char32_t {
        return littleEndian ? bytes[at] | bytes[at + 1] << 8 : bytes[at] << 8 | bytes[at + 1];
    };
    length = 1;
    if (size < 2)
        return 0;
    const char32_t first = unit(0);
    length = 2;
    if (first < 0xD800 || first > 0xDFFF)
        return first;
    // A high surrogate and a low one make a character beyond the BMP.
    if (first > 0xDBFF || size < 4)
        return 0;
    const char32_t second = unit(2);
    if (second < 0xDC00 || second > 0xDFFF)
        return 0;
    length = 4;
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

char32_t DecodeEucJis2004(const unsigned char* bytes, std::size_t size, std::size_t& length)
{
    const unsigned char first = bytes[0];
    length = 1;
    if (first == 0x8E && size >= 2) {
        length = 2;
        return kEucJis2004Kana[bytes[1]];
    }
    if (first == 0x8F && size >= 3) {
        length = 3;
        return InRow(bytes[1]) && InRow(bytes[2])
                   ? kJisX0213Planes[kRowLength * kRowLength + RowIndex(bytes[1], bytes[2])]
                   : 0;
    }
    if (InRow(first)) {
        if (size < 2)
            return 0;
        length = 2;
        return InRow(bytes[1]) ? kJisX0213Planes[RowIndex(first, bytes[1])] : 0;
    }
    return kEucJis2004Singles[first];
}

char32_t DecodeShiftJis2004(const unsigned char* bytes, std::size_t size, std::size_t& length)
{
    length = 1;
    if (!IsLeadByte(bytes[0]))
        return kShiftJis2004Singles[bytes[0]];
    if (size < 2)
        return 0;
    length = 2;
    return kShiftJis2004Pairs[LeadIndex(bytes[0]) * 256 + bytes[1]];
}

char* WriteUtf8(char32_t character, char* out)
{
    if (character < 0x80) {
        *out++ = static_cast<char>(character);
    } else if (character < 0x800) {
        *out++ = static_cast<char>(0xC0 | character >> 6);
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        *out++ = static_cast<char>(0xE0 | character >> 12);
        *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | character >> 18);
        *out++ = static_cast<char>(0x80 | (character >> 12 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character >> 6 & 0x3F));
        *out++ = static_cast<char>(0x80 | (character & 0x3F));
    }
    return out;
}

char* WriteUtf16(char32_t character, bool littleEndian, char* out)
{
    auto unit = [littleEndian, &out](char32_t value) {
        const auto high = static_cast<char>(value >> 8);
        const auto low = static_cast<char>(value & 0xFF);
        *out++ = littleEndian ? low : high;
        *out++ = littleEndian ? high : low;
    };
    if (character < 0x10000) {
        unit(character);
    } else {
        unit(0xD800 + ((character - 0x10000) >> 10));
        unit(0xDC00 + ((character - 0x10000) & 0x3FF));
    }
    return out;
}

// Writes the bytes of a code, high byte first and none of its leading zero bytes.
char* WriteCode(std::uint32_t code, char* out)
{
    if (code > 0xFFFF)
        *out++ = static_cast<char>(code >> 16);
    if (code > 0xFF)
        *out++ = static_cast<char>(code >> 8 & 0xFF);
    *out++ = static_cast<char>(code & 0xFF);
    return out;
}

}  // namespace

char32_t DecodeCharacter(const unsigned char* bytes, std::size_t size, EEncoding encoding,
                         std::size_t& length)
{
    length = 1;
    switch (encoding) {
    case EEncoding::EucJp:
        return DecodeEucJp(std::string_view(reinterpret_cast<const char*>(bytes), size), length);
    case EEncoding::Utf16Le:
    case EEncoding::Utf16LeBom:
        return DecodeUtf16(bytes, size, true, length);
    case EEncoding::Utf16Be:
    case EEncoding::Utf16BeBom:
        return DecodeUtf16(bytes, size, false, length);
    case EEncoding::EucJis2004:
        return DecodeEucJis2004(bytes, size, length);
    case EEncoding::ShiftJis2004:
        return DecodeShiftJis2004(bytes, size, length);
    default:
        return DecodeUtf8Character(bytes, size, length);
    }
}

char* EncodeCharacter(char32_t character, EEncoding encoding, char* out)
{
    char32_t first = character;
    char32_t second = 0;
    switch (encoding) {
    case EEncoding::EucJp: {
        const std::uint32_t code = EucJpCodeOf(character);
        return code == 0 ? nullptr : WriteCode(code, out);
    }
    case EEncoding::EucJis2004:
    case EEncoding::ShiftJis2004: {
        const std::uint32_t code =
            encoding == EEncoding::EucJis2004
                ? FindInPages(kEucJis2004Pages, kEucJis2004PageCount, kEucJis2004Codes, character)
                : FindInPages(kShiftJis2004Pages, kShiftJis2004PageCount, kShiftJis2004Codes,
                              character);
        return code == 0 ? nullptr : WriteCode(code, out);
    }
    case EEncoding::Utf16Le:
    case EEncoding::Utf16LeBom:
    case EEncoding::Utf16Be:
    case EEncoding::Utf16BeBom: {
        const bool littleEndian =
            encoding == EEncoding::Utf16Le || encoding == EEncoding::Utf16LeBom;
        if (SequenceCharacters(character, first, second))
            out = WriteUtf16(first, littleEndian, out);
        return WriteUtf16(second != 0 ? second : first, littleEndian, out);
    }
    default:
        if (SequenceCharacters(character, first, second))
            out = WriteUtf8(first, out);
        return WriteUtf8(second != 0 ? second : first, out);
    }
}

char32_t SequenceKey(char32_t first, char32_t second)
{
    for (std::size_t i = 0; i < kJisX0213SequenceCount; ++i) {
        if (kJisX0213Sequences[2 * i] == first && kJisX0213Sequences[2 * i + 1] == second)
            return kFirstSequenceKey + static_cast<char32_t>(i);
    }
    return 0;
}

bool SequenceCharacters(char32_t key, char32_t& first, char32_t& second)
{
    if (key < kFirstSequenceKey || key - kFirstSequenceKey >= kJisX0213SequenceCount)
        return false;
    first = kJisX0213Sequences[2 * (key - kFirstSequenceKey)];
    second = kJisX0213Sequences[2 * (key - kFirstSequenceKey) + 1];
    return true;
}

void AppendUtf8(char32_t character, std::string& utf8)
{
    char bytes[kMaxCharacterBytes];
    const char* end = EncodeCharacter(character, EEncoding::Utf8, bytes);
    utf8.append(bytes, static_cast<std::size_t>(end - bytes));
}
