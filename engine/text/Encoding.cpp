#include "engine/text/Encoding.h"

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

}  // namespace

const char* EncodingName(EEncoding encoding)
{
    switch (encoding) {
    case EEncoding::ShiftJis:
        return "Shift_JIS";
    case EEncoding::Utf8:
        return "UTF-8";
    case EEncoding::Utf8Bom:
        return "UTF-8 (BOM)";
    case EEncoding::EucJp:
        return "EUC-JP";
    case EEncoding::Iso2022Jp:
        return "ISO-2022-JP";
    case EEncoding::Utf16Le:
        return "UTF-16LE";
    case EEncoding::Utf16LeBom:
        return "UTF-16LE (BOM)";
    case EEncoding::Utf16Be:
        return "UTF-16BE";
    case EEncoding::Utf16BeBom:
        return "UTF-16BE (BOM)";
    case EEncoding::ShiftJis2004:
        return "Shift_JIS-2004";
    case EEncoding::EucJis2004:
        return "EUC-JIS-2004";
    }
    return "";
}

std::string_view ByteOrderMarkOf(EEncoding encoding)
{
    switch (encoding) {
    case EEncoding::Utf8Bom:
        return kByteOrderMark;
    case EEncoding::Utf16LeBom:
        return kUtf16LeMark;
    case EEncoding::Utf16BeBom:
        return kUtf16BeMark;
    default:
        return {};
    }
}

EEncoding WithMarkOf(EEncoding named, std::string_view bytes)
{
    if (named == EEncoding::Utf8 || named == EEncoding::Utf8Bom)
        return bytes.starts_with(kByteOrderMark) ? EEncoding::Utf8Bom : EEncoding::Utf8;
    if (!IsUtf16(named))
        return named;
    if (bytes.starts_with(kUtf16LeMark))
        return EEncoding::Utf16LeBom;
    if (bytes.starts_with(kUtf16BeMark))
        return EEncoding::Utf16BeBom;
    return named == EEncoding::Utf16Be || named == EEncoding::Utf16BeBom ? EEncoding::Utf16Be
                                                                         : EEncoding::Utf16Le;
}

EEncoding KeepingByteOrderMark(EEncoding chosen, EEncoding read)
{
    if (chosen == EEncoding::Utf8 && read == EEncoding::Utf8Bom)
        return EEncoding::Utf8Bom;
    if (chosen == EEncoding::Utf16LeBom && read == EEncoding::Utf16BeBom)
        return EEncoding::Utf16BeBom;
    return chosen;
}
