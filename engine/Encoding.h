#ifndef CHIRPWELL_ENGINE_ENCODING_H
#define CHIRPWELL_ENGINE_ENCODING_H

#include <string_view>

// The encodings a text file is read and written in. Whatever a file's encoding,
// its text is CP932 inside the program.
enum class EEncoding {
    ShiftJis,  // CP932, byte for byte
    Utf8,
    Utf8Bom,   // UTF-8 that starts with a byte-order mark
    EucJp,
};

// The name the status bar and the messages use: "Shift_JIS", "UTF-8",
// "UTF-8 (BOM)" or "EUC-JP".
const char* EncodingName(EEncoding encoding);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// UTF-8 for bytes, with or without a byte-order mark as they have one.
inline EEncoding Utf8Of(std::string_view bytes)
{
    return bytes.starts_with(kByteOrderMark) ? EEncoding::Utf8Bom : EEncoding::Utf8;
}

// The encoding chosen for saving, where a text read as UTF-8 with a byte-order mark
// keeps it in UTF-8.
inline EEncoding KeepingByteOrderMark(EEncoding chosen, EEncoding read)
{
    return chosen == EEncoding::Utf8 && read == EEncoding::Utf8Bom ? EEncoding::Utf8Bom : chosen;
}

// True for the encodings that are transcoded to CP932, where a smile never splits a
// character.
inline bool IsTranscoded(EEncoding encoding)
{
    return encoding != EEncoding::ShiftJis;
}

#endif
