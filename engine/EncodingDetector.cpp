#include "engine/EncodingDetector.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <uchardet.h>

#include "engine/Characters.h"
#include "engine/CodecTables.h"
#include "engine/Cp932.h"
#include "engine/EucJp.h"
#include "engine/Iso2022Jp.h"

namespace {

bool HasHighByte(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
}

bool InRow(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xFE;
}

// The shape of EUC-JP alone, which rules out most Shift_JIS texts without the
// cost of the full table.
bool HasEucJpShape(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char byte = data[i];
        if (byte < 0x80 || (byte <= 0x9F && byte != 0x8E && byte != 0x8F)) {
            ++i;
        } else if (byte == 0x8E) {
            if (i + 1 >= size || data[i + 1] < 0xA1 || data[i + 1] > 0xDF)
                return false;
            i += 2;
        } else if (byte == 0x8F) {
            if (i + 2 >= size || !InRow(data[i + 1]) || !InRow(data[i + 2]))
                return false;
            i += 3;
        } else if (InRow(byte)) {
            if (i + 1 >= size || !InRow(data[i + 1]))
                return false;
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

// Whether bytes are valid UTF-8, as far as the test reads; a character cut by the
// end of the part read counts as valid.
bool IsUtf8(std::string_view bytes, EUtf8Test utf8Test)
{
    constexpr std::size_t kStart = 64 * 1024;
    if (utf8Test == EUtf8Test::Whole || bytes.size() <= kStart)
        return FindInvalidUtf8(bytes) == std::string_view::npos;
    const std::size_t invalid = FindInvalidUtf8(bytes.substr(0, kStart));
    return invalid == std::string_view::npos || invalid + 3 >= kStart;
}

// Whether every character of bytes above ASCII is one of encoding's.
bool IsValidIn(std::string_view bytes, EEncoding encoding)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t length = 1;
        if (data[i] >= 0x80 && DecodeCharacter(data + i, bytes.size() - i, encoding, length) == 0)
            return false;
        i += length;
    }
    return true;
}

bool NamedEucJp(std::string_view bytes)
{
    // The detector decides on its first look as well as on the whole, and the whole
    // of a large file would cost more than reading it.
    constexpr std::size_t kLook = 64 * 1024;
    bytes = bytes.substr(0, kLook);
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                          uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return false;
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    return name && strcasecmp(name, "EUC-JP") == 0;
}

}  // namespace

bool IsValidCp932(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (!IsLeadByte(byte)) {
            if (kCp932Singles[byte] == kNoCharacter)
                return false;
            ++i;
            continue;
        }
        if (i + 1 >= bytes.size() ||
            kCp932Pairs[LeadIndex(byte) * 256 + static_cast<unsigned char>(bytes[i + 1])] ==
                kNoCharacter)
            return false;
        i += 2;
    }
    return true;
}

bool IsValidEucJp(std::string_view bytes)
{
    if (!HasEucJpShape(bytes))
        return false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t length = 1;
        if (static_cast<unsigned char>(bytes[i]) >= 0x80 && DecodeEucJp(bytes.substr(i), length) == 0)
            return false;
        i += length;
    }
    return true;
}

const char* UnreadEncodingOf(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (bytes.starts_with("\xFF\xFE\0\0"sv))
        return "UTF-32LE";
    if (bytes.starts_with("\0\0\xFE\xFF"sv))
        return "UTF-32BE";
    return nullptr;
}

EEncoding DetectEncoding(std::string_view bytes, EUtf8Test utf8Test)
{
    for (const EEncoding marked : {EEncoding::Utf8Bom, EEncoding::Utf16LeBom, EEncoding::Utf16BeBom}) {
        if (bytes.starts_with(ByteOrderMarkOf(marked)))
            return marked;
    }
    if (!HasHighByte(bytes))
        return HasIso2022JpEscape(bytes) ? EEncoding::Iso2022Jp : EEncoding::ShiftJis;
    if (utf8Test != EUtf8Test::None && IsUtf8(bytes, utf8Test))
        return EEncoding::Utf8;
    const bool eucJp = IsValidEucJp(bytes);
    const bool cp932 = IsValidCp932(bytes);
    if (eucJp && (!cp932 || NamedEucJp(bytes)))
        return EEncoding::EucJp;
    // The JIS X 0213 forms only for a text that is valid in them alone.
    if (!cp932 && !eucJp) {
        if (IsValidIn(bytes, EEncoding::EucJis2004))
            return EEncoding::EucJis2004;
        if (IsValidIn(bytes, EEncoding::ShiftJis2004))
            return EEncoding::ShiftJis2004;
    }
    return EEncoding::ShiftJis;
}

EEncoding EncodingToRead(std::string_view bytes, std::optional<EEncoding> named,
                         EUtf8Test utf8Test)
{
    if (!named)
        return DetectEncoding(bytes, utf8Test);
    return WithMarkOf(*named, bytes);
}
