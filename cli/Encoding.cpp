#include "cli/Encoding.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "cli/Messages.h"
#include "engine/CodeTable.h"
#include "engine/Cp932.h"
#include "engine/EncodingDetector.h"
#include "engine/EucJpTable.h"
#include "engine/Limits.h"
#include "engine/TextFormat.h"
#include "engine/Transcoder.h"
#include "engine/Translation.h"

namespace {

std::string CodePoint(char32_t character)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(character));
    return buffer;
}

// The length of the character that starts text, valid UTF-8 or EUC-JP: only they can
// fail to decode.
std::size_t CharacterLength(std::string_view text, EEncoding encoding)
{
    std::size_t length = 1;
    if (encoding == EEncoding::EucJp)
        CEucJpTable::Instance().Decode(text, length);
    else
        DecodeUtf8Character(reinterpret_cast<const unsigned char*>(text.data()), text.size(), length);
    return length;
}

// "LINE:COLUMN" of a byte offset in text of encoding.
std::string LineAndColumn(std::string_view text, EEncoding encoding, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    std::size_t i = 0;
    while (i < offset && i < text.size()) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i += CharacterLength(text.substr(i), encoding);
    }
    return std::to_string(line) + ":" + std::to_string(column);
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
    static constexpr std::pair<const char*, EEncoding> kNames[] = {
        {"shift_jis", EEncoding::ShiftJis}, {"sjis", EEncoding::ShiftJis},
        {"cp932", EEncoding::ShiftJis},     {"utf-8", EEncoding::Utf8},
        {"utf8", EEncoding::Utf8},          {"euc-jp", EEncoding::EucJp},
        {"eucjp", EEncoding::EucJp},
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

bool DecodeInput(const std::string& name, const std::string& bytes,
                 std::optional<EEncoding> encoding, CCodeTable& codes, std::string& cp932,
                 EEncoding& read, CMessages& messages)
{
    read = EncodingToRead(bytes, encoding);
    CTextFault fault;
    if (!DecodeText(bytes, read, codes, cp932, fault)) {
        if (fault.m_eKind == CTextFault::EKind::TooManyCharacters)
            messages.Error(FormatMessage(
                Tr("%1: %2 kinds of characters that Shift_JIS lacks; at most %3 can be read"),
                name, std::to_string(fault.m_nCount),
                std::to_string(CCodeTable::Capacity() - codes.Size())));
        else
            messages.Error(FormatMessage(Tr("%1:%2: not valid %3"), name,
                                         LineAndColumn(bytes, read, fault.m_nOffset),
                                         EncodingName(read)));
        return false;
    }
    // EUC-JP's one-byte C1 characters take two bytes in CP932.
    if (cp932.size() > kTextLimit) {
        messages.Error(FormatMessage(Tr("%1: larger than %2 bytes once read as %3"), name,
                                     std::to_string(kTextLimit), EncodingName(read)));
        return false;
    }
    return true;
}

bool CensorCharacter(const char* option, const std::string& utf8, std::string& cp932,
                     CMessages& messages)
{
    CCodecError error;
    if (Utf8ToCp932(utf8, cp932, &error))
        return true;
    if (error.m_bMalformed)
        messages.Error(FormatMessage(Tr("%1: invalid UTF-8"), option));
    else
        messages.Error(FormatMessage(Tr("%1: the character has no Shift_JIS form"), option));
    return false;
}

bool EncodeResult(const std::string& cp932, EEncoding encoding, const CCodeTable& codes,
                  std::string& bytes, CMessages& messages)
{
    CTextFault fault;
    if (EncodeText(cp932, encoding, codes, bytes, fault))
        return true;
    const CTextPlace place = PlaceInText(cp932, fault.m_nOffset);
    const std::string where = std::to_string(place.m_nLine) + ":" + std::to_string(place.m_nColumn);
    if (fault.m_character != 0)
        messages.Error(FormatMessage(Tr("the result's character %1 at %2 cannot be written in %3"),
                                     CodePoint(fault.m_character), where, EncodingName(encoding)));
    else
        messages.Error(FormatMessage(
            Tr("the result's bytes %1 at %2 are no character and cannot be written in %3"),
            HexBytes(std::string_view(cp932).substr(fault.m_nOffset, fault.m_nLength)), where,
            EncodingName(encoding)));
    return false;
}

std::string PlacesText(const std::string& cp932, EEncoding encoding, const CCodeTable& codes,
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
    MapOffsets(cp932, encoding, codes, written);
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
