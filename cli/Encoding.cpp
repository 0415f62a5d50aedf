#include "cli/Encoding.h"

#include <algorithm>
#include <string_view>

#include "cli/Messages.h"
#include "engine/Limits.h"
#include "engine/smile/WrittenPlaces.h"
#include "engine/text/Codec.h"
#include "engine/smile/Converter.h"
#include "engine/text/Cp932.h"
#include "engine/text/EncodingDetector.h"
#include "engine/text/TextFormat.h"
#include "programs/Translation.h"

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

bool CensorCharacter(const char* option, bool fullWidth, const std::string& utf8, CCodec& codec,
                     std::string& cp932, CMessages& messages)
{
    if (codec.DecodeCp932Input(utf8, cp932)) {
        if (CConverter::IsCensorCharacter(cp932, fullWidth))
            return true;
        messages.Error(FormatMessage(fullWidth ? Tr("%1: not a single full-width character")
                                               : Tr("%1: not a single half-width character"),
                                     option));
        return false;
    }
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
    std::string text;
    for (const CSmilePlace& place : WrittenPlaces(codec, cp932, encoding, places))
        text += std::to_string(place.m_nPosition) + " " + std::to_string(place.m_nLength) + "\n";
    return text;
}
