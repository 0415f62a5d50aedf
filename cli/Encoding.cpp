#include "cli/Encoding.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "cli/Messages.h"
#include "engine/Limits.h"
#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"
#include "engine/text/EncodingDetector.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

namespace {

std::string CodePoint(char32_t character)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(character));
    return buffer;
}

// "LINE:COLUMN" of an offset in bytes of encoding.
std::string LineAndColumn(std::string_view bytes, EEncoding encoding, std::size_t offset)
{
    const CTextPlace place = PlaceInBytes(bytes, encoding, offset);
    return std::to_string(place.m_nLine) + ":" + std::to_string(place.m_nColumn);
}

// Letters compared as ASCII: strcasecmp follows the locale, and a Turkish one
// does not take "SJIS" for "sjis".
bool SameName(std::string_view left, std::string_view right)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [&](char l, char r) { return lower(l) == lower(r); });
}

}  // namespace

bool ParseEncodingName(const std::string& name, bool allowAuto, std::optional<EEncoding>& encoding)
{
    // "utf-16" is UTF-16 with a byte-order mark, little-endian unless a mark says
    // otherwise; utf-16le and utf-16be name an order for text without one.
    static constexpr std::pair<const char*, EEncoding> kNames[] = {
        {"shift_jis", EEncoding::ShiftJis},
        {"sjis", EEncoding::ShiftJis},
        {"cp932", EEncoding::ShiftJis},
        {"utf-8", EEncoding::Utf8},
        {"utf8", EEncoding::Utf8},
        {"euc-jp", EEncoding::EucJp},
        {"eucjp", EEncoding::EucJp},
        {"iso-2022-jp", EEncoding::Iso2022Jp},
        {"jis", EEncoding::Iso2022Jp},
        {"utf-16", EEncoding::Utf16LeBom},
        {"utf-16le", EEncoding::Utf16Le},
        {"utf-16be", EEncoding::Utf16Be},
        {"shift_jis-2004", EEncoding::ShiftJis2004},
        {"euc-jis-2004", EEncoding::EucJis2004},
    };
    if (allowAuto && SameName(name, "auto")) {
        encoding.reset();
        return true;
    }
    for (const auto& [known, value] : kNames) {
        if (SameName(name, known)) {
            encoding = value;
            return true;
        }
    }
    return false;
}

bool DecodeInput(const std::string& name, std::string& text, std::optional<EEncoding> encoding,
                 CCodec& codec, EEncoding& read, CMessages& messages)
{
    CTextFault fault;
    const std::string& bytes = text;
    if (!codec.ReadText(text, encoding, read, fault)) {
        if (fault.m_eKind == CTextFault::EKind::TooManyCharacters)
            messages.Error(FormatMessage(
                Tr("%1: %2 kinds of characters that Shift_JIS lacks; at most %3 can be read"),
                name, std::to_string(fault.m_nCount), std::to_string(codec.CodesLeft())));
        else if (fault.m_eKind == CTextFault::EKind::Zero)
            messages.Error(FormatMessage(Tr("%1: a zero byte at byte %2; this is no text file"),
                                         name, std::to_string(fault.m_nOffset)));
        else if (fault.m_eKind == CTextFault::EKind::UnreadEncoding)
            messages.Error(FormatMessage(
                Tr("%1: %2 by its byte-order mark, which chirpwell-smile does not read"), name,
                fault.m_pEncoding));
        else
            messages.Error(FormatMessage(Tr("%1:%2: not valid %3"), name,
                                         LineAndColumn(bytes, read, fault.m_nOffset),
                                         EncodingName(read)));
        return false;
    }
    // EUC-JP's one-byte C1 characters take two bytes in CP932.
    if (text.size() > kTextLimit) {
        messages.Error(FormatMessage(Tr("%1: larger than %2 bytes once read as %3"), name,
                                     std::to_string(kTextLimit), EncodingName(read)));
        return false;
    }
    return true;
}

bool CensorCharacter(const char* option, const std::string& utf8, CCodec& codec,
                     std::string& cp932, CMessages& messages)
{
    if (codec.DecodeCp932Input(utf8, cp932))
        return true;
    if (FindInvalidUtf8(utf8) != std::string::npos)
        messages.Error(FormatMessage(Tr("%1: invalid UTF-8"), option));
    else
        messages.Error(FormatMessage(Tr("%1: the character has no Shift_JIS form"), option));
    return false;
}

bool EncodeResult(std::string&& cp932, EEncoding encoding, const CCodec& codec,
                  std::string& bytes, CMessages& messages)
{
    CTextFault fault;
    // Shift_JIS goes out as the text stands, without a copy.
    if (encoding == EEncoding::ShiftJis && codec.FitsShiftJis(cp932, fault)) {
        bytes = std::move(cp932);
        return true;
    }
    if (encoding != EEncoding::ShiftJis && codec.Encode(cp932, encoding, bytes, fault))
        return true;
    messages.Error(UnencodableMessage(
        fault.m_character, std::string_view(cp932).substr(fault.m_nOffset, fault.m_nLength),
        LineAndColumn(cp932, EEncoding::ShiftJis, fault.m_nOffset), encoding));
    return false;
}

std::string UnencodableMessage(char32_t character, std::string_view bytes,
                               const std::string& where, EEncoding encoding)
{
    if (character != 0)
        return FormatMessage(Tr("the result's character %1 at %2 cannot be written in %3"),
                             CodePoint(character), where, EncodingName(encoding));
    return FormatMessage(
        Tr("the result's bytes %1 at %2 are no character and cannot be written in %3"),
        HexBytes(bytes), where, EncodingName(encoding));
}

std::string PlacesText(const std::string& cp932, EEncoding encoding, const CCodec& codec,
                       const CSmilePlaceList& places)
{
    std::vector<std::size_t> bounds;
    for (const CSmilePlace& place : places) {
        bounds.push_back(place.m_nPosition);
        bounds.push_back(place.m_nPosition + place.m_nLength);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    std::vector<std::size_t> written = bounds;
    codec.MapOffsets(cp932, encoding, written);
    auto at = [&](std::size_t offset) {
        return written[static_cast<std::size_t>(
            std::lower_bound(bounds.begin(), bounds.end(), offset) - bounds.begin())];
    };
    std::string text;
    for (const CSmilePlace& place : places) {
        const std::size_t start = at(place.m_nPosition);
        text += std::to_string(start) + " " +
                std::to_string(at(place.m_nPosition + place.m_nLength) - start) + "\n";
    }
    return text;
}
