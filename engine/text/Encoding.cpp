#include "engine/text/Encoding.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

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

bool EncodingByName(std::string_view name, bool allowAuto, std::optional<EEncoding>& encoding)
{
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
