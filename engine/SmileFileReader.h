#ifndef CHIRPWELL_ENGINE_SMILEFILEREADER_H
#define CHIRPWELL_ENGINE_SMILEFILEREADER_H

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/Encoding.h"
#include "engine/Transcoder.h"

class CCodeTable;

// Why a smile file could not be read: the system's reason, or an EReadError (not a
// regular file, larger than the text limit); or, when error is empty, text that is
// no text in encoding.
struct CSmileFileFault {
    std::error_code m_error;
    CTextFault m_text;
    EEncoding m_eEncoding = EEncoding::ShiftJis;
};

// The smile file at path, a regular file of at most the text limit, as CP932 text:
// in encoding, or in the one detected. Characters that CP932 lacks take their codes
// from codes. False with the reason.
bool ReadSmileFile(const std::string& path, std::optional<EEncoding> encoding, CCodeTable& codes,
                   std::string& cp932, CSmileFileFault& fault);
// The same for the bytes of a smile file already read.
bool DecodeSmileFile(std::string_view bytes, std::optional<EEncoding> encoding, CCodeTable& codes,
                     std::string& cp932, CSmileFileFault& fault);

#endif
