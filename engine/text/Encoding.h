#ifndef CHIRPWELL_ENGINE_TEXT_ENCODING_H
#define CHIRPWELL_ENGINE_TEXT_ENCODING_H

#include <optional>
#include <string_view>

// The encodings a text file is read and written in. Whatever a file's encoding,
// its text is CP932 inside the program.
enum class EEncoding {
    ShiftJis,  // CP932, byte for byte
    Utf8,
    Utf8Bom,   // UTF-8 that starts with a byte-order mark
    EucJp,
    Iso2022Jp,
    Utf16Le,
    Utf16LeBom,
    Utf16Be,
    Utf16BeBom,
    ShiftJis2004,  // JIS X 0213
    EucJis2004,
};

// The name the status bar and the messages use: "Shift_JIS", "UTF-8",
// "UTF-8 (BOM)", "EUC-JP", "ISO-2022-JP", "UTF-16LE (BOM)", ...
const char* EncodingName(EEncoding encoding);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The encoding of a name, any case, as the command line and the library take them:
// "shift_jis" ("sjis", "cp932"), "utf-8" ("utf8"), "euc-jp" ("eucjp"), "iso-2022-jp"
// ("jis"), "utf-16" (with a byte-order mark, little-endian unless a mark says
// otherwise), "utf-16le", "utf-16be" (without one), "shift_jis-2004",
// "euc-jis-2004", and, when allowAuto, "auto", which gives none. False for another.
bool EncodingByName(std::string_view name, bool allowAuto, std::optional<EEncoding>& encoding);

// The byte-order mark that starts a text in encoding; empty for none.
std::string_view ByteOrderMarkOf(EEncoding encoding);

// The form of a named encoding that bytes are in: UTF-8 with or without its mark as
// they have one, and UTF-16 in the order a mark gives, or as named without one.
EEncoding WithMarkOf(EEncoding named, std::string_view bytes);

// The encoding chosen for writing a text that was read in read: a text read as
// UTF-8 with a byte-order mark keeps it in UTF-8, and UTF-16 with a mark (what
// "utf-16" names, little-endian) keeps the order of the mark it was read with.
EEncoding KeepingByteOrderMark(EEncoding chosen, EEncoding read);

// True for the encodings that are transcoded to CP932, where a smile never splits a
// character.
inline bool IsTranscoded(EEncoding encoding)
{
    return encoding != EEncoding::ShiftJis;
}

inline bool IsUtf16(EEncoding encoding)
{
    return encoding == EEncoding::Utf16Le || encoding == EEncoding::Utf16LeBom ||
           encoding == EEncoding::Utf16Be || encoding == EEncoding::Utf16BeBom;
}

#endif
