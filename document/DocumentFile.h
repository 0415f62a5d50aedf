#ifndef CHIRPWELL_DOCUMENT_DOCUMENTFILE_H
#define CHIRPWELL_DOCUMENT_DOCUMENTFILE_H

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/text/Encoding.h"

class CCodec;
class IPrompter;

// How a file's encoding is taken when it is read: as the display settings say
// (detected, or Shift_JIS when detection is off), detected, or one encoding; UTF-16
// by its byte-order mark, little-endian without one.
enum class EReadEncoding {
    AsSettingsSay,
    Detect,
    ShiftJis,
    Utf8,
    EucJp,
    Iso2022Jp,
    Utf16,
    Utf16Le,
    Utf16Be,
    ShiftJis2004,
    EucJis2004,
};

// The document's texts to and from files: a text file read whole (a regular file of
// at most the view's limit, without a zero byte) and transcoded to CP932, or CP932
// text written whole in an encoding. Every failure is told through the prompter,
// which must outlive this. Paths are file-system bytes.
class CDocumentFile {
public:
    explicit CDocumentFile(IPrompter& prompter) : m_prompter(prompter) {}
    CDocumentFile(const CDocumentFile&) = delete;
    CDocumentFile& operator=(const CDocumentFile&) = delete;

    // The text of the file at path as CP932, and the encoding it was read in: how
    // says which, detect what the settings say. codec starts afresh for the text.
    // False after a message.
    bool Read(const std::string& path, std::size_t limit, EReadEncoding how, bool detect,
              CCodec& codec, std::string& text, EEncoding& encoding);
    // Writes text, whose codec is codec, to path in encoding, whole or not at all;
    // false after a message.
    bool Write(const std::string& path, const std::string& text, EEncoding encoding,
               const CCodec& codec);

private:
    IPrompter& m_prompter;
};

#endif
