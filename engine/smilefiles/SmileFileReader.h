#ifndef CHIRPWELL_ENGINE_SMILEFILES_SMILEFILEREADER_H
#define CHIRPWELL_ENGINE_SMILEFILES_SMILEFILEREADER_H

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"

// Why a smile file could not be read: the system's reason, or an EReadError (not a
// regular file, larger than the text limit); or, when error is empty, text that is
// no text in encoding; or the first bad line, from 1, when it could be read.
struct CSmileFileFault {
    std::error_code m_error;
    CTextFault m_text;
    EEncoding m_eEncoding = EEncoding::ShiftJis;
    int m_nBadLine = 0;
};

// The bytes of the smile file at path, a regular file of at most the text limit.
bool ReadSmileFileBytes(const std::string& path, std::string& bytes, CSmileFileFault& fault);
// The bytes of a smile file as CP932 text: in encoding, or in the one detected.
// Characters that CP932 lacks take their codes from codec. False with the reason.
bool DecodeSmileFile(std::string_view bytes, std::optional<EEncoding> encoding, CCodec& codec,
                     std::string& cp932, CSmileFileFault& fault);

#endif
