#include "engine/text/EncodingDetector.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include <uchardet.h>

#include "engine/text/Characters.h"
#include "engine/text/CodecTables.h"
#include "engine/text/Cp932.h"
#include "engine/text/EucJp.h"
#include "engine/text/Iso2022Jp.h"

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

// Whether every character of bytes above ASCII is one of encoding's. The two-byte
// units of the EUC forms and of Shift_JIS-2004, most of a Japanese text, are looked
// up in one step.
bool IsValidIn(std::string_view bytes, EEncoding encoding)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    const bool euc = encoding != EEncoding::ShiftJis2004;
    const std::uint32_t* jisX0213 = encoding == EEncoding::EucJis2004 ? kJisX0213Planes : nullptr;
    std::size_t i = 0;
    while (i < size) {
        const unsigned char first = data[i];
        if (first < 0x80) {
            ++i;
            continue;
        }
        if (i + 1 < size) {
            const unsigned char second = data[i + 1];
            if (euc && InRow(first) && InRow(second)) {
                const std::size_t index = (first - 0xA1) * 94u + (second - 0xA1);
                if ((jisX0213 ? jisX0213[index] : kJisX0208[index]) == 0)
                    return false;
                i += 2;
                continue;
            }
            if (!euc && IsLeadByte(first)) {
                if (kShiftJis2004Pairs[LeadIndex(first) * 256 + second] == 0)
                    return false;
                i += 2;
                continue;
            }
        }
        std::size_t length = 1;
        if (DecodeCharacter(data + i, size - i, encoding, length) == 0)
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
    return FindUnassignedCp932(bytes, nullptr) == std::string_view::npos;
}

bool IsValidEucJp(std::string_view bytes)
{
    return IsValidIn(bytes, EEncoding::EucJp);
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

EEncoding DetectEncoding(std::string_view bytes, EUtf8Test utf8Test,
                         std::optional<bool>* validCp932)
{
    for (const EEncoding marked : {EEncoding::Utf8Bom, EEncoding::Utf16LeBom, EEncoding::Utf16BeBom}) {
        if (bytes.starts_with(ByteOrderMarkOf(marked)))
            return marked;
    }
    if (!HasHighByte(bytes)) {
        if (validCp932)
            *validCp932 = true;
        return HasIso2022JpEscape(bytes) ? EEncoding::Iso2022Jp : EEncoding::ShiftJis;
    }
    if (utf8Test != EUtf8Test::None && IsUtf8(bytes, utf8Test))
        return EEncoding::Utf8;
    const bool eucJp = IsValidEucJp(bytes);
    const bool cp932 = IsValidCp932(bytes);
    if (validCp932)
        *validCp932 = cp932;
    if (eucJp && (!cp932 || NamedEucJp(bytes)))
        return EEncoding::EucJp;
    // The JIS X 0213 forms only for a text that is valid in them and not in EUC-JP
    // or CP932, where CP932's private and half-width ranges take in most EUC bytes,
    // an EUC text is also taken when the detector names it EUC-JP, as above.
    if (!eucJp) {
        if (IsValidIn(bytes, EEncoding::EucJis2004) && (!cp932 || NamedEucJp(bytes)))
            return EEncoding::EucJis2004;
        if (!cp932 && IsValidIn(bytes, EEncoding::ShiftJis2004))
            return EEncoding::ShiftJis2004;
    }
    return EEncoding::ShiftJis;
}

EEncoding EncodingToRead(std::string_view bytes, std::optional<EEncoding> named,
                         EUtf8Test utf8Test, std::optional<bool>* validCp932)
{
    if (!named)
        return DetectEncoding(bytes, utf8Test, validCp932);
    return WithMarkOf(*named, bytes);
}
