#ifndef CHIRPWELL_UI_TEXTCODEC_H
#define CHIRPWELL_UI_TEXTCODEC_H

#include <string>
#include <string_view>

#include <QString>

// The edge between the program's CP932 texts and Qt's strings.

class CCodec;

// Every unit decodes; one that is no character shows as U+FFFD, and the program's own
// codes show as their characters when the text's codec is given.
QString FromCp932(std::string_view cp932, const CCodec* codec = nullptr);
// False when text holds a character that CP932 lacks and, when a codec is given, that
// has no code of theirs.
bool ToCp932(const QString& text, std::string& cp932, const CCodec* codec = nullptr);

// Paths go to and from the file system's own bytes.
QString FromPath(const std::string& path);
std::string ToPath(const QString& path);

#endif
