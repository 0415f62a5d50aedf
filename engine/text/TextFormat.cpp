#include "engine/text/TextFormat.h"

#include <cstdio>

#include "engine/EngineTexts.h"
#include "engine/text/Cp932.h"

std::string FormatMessage(std::string_view format, std::string_view first,
                          std::string_view second, std::string_view third,
                          std::string_view fourth)
{
    const std::string_view arguments[] = {first, second, third, fourth};
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] >= '1' &&
            format[i + 1] <= '4') {
            text += arguments[format[i + 1] - '1'];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::string PathForMessage(const std::string& path)
{
    std::string shown;
    return Utf8ToCp932(path, shown) ? shown : path;
}

std::string HexBytes(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += {'<', kDigits[value >> 4], kDigits[value & 0xF], '>'};
    }
    return hex;
}

std::string CodePoint(char32_t character)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(character));
    return buffer;
}

std::string LineAndColumn(std::string_view bytes, EEncoding encoding, std::size_t offset)
{
    const CTextPlace place = PlaceInBytes(bytes, encoding, offset);
    return std::to_string(place.m_nLine) + ":" + std::to_string(place.m_nColumn);
}

std::string DecodingFaultMessage(const std::string& path, EEncoding encoding,
                                 const CTextFault& fault)
{
    switch (fault.m_eKind) {
    case CTextFault::EKind::TooManyCharacters:
        return FormatMessage(Cp932Text(kMsgTooManyCharacters), PathForMessage(path),
                             std::to_string(fault.m_nCount));
    case CTextFault::EKind::Zero:
        return FormatMessage(Cp932Text(kMsgZeroByte), PathForMessage(path));
    case CTextFault::EKind::UnreadEncoding:
        return FormatMessage(Cp932Text(kMsgUnreadEncoding), PathForMessage(path),
                             fault.m_pEncoding);
    default:
        return FormatMessage(Cp932Text(kMsgCannotDecode), PathForMessage(path),
                             EncodingName(encoding));
    }
}
