#ifndef CHIRPWELL_ENGINE_TEXT_STREAMFAULT_H
#define CHIRPWELL_ENGINE_TEXT_STREAMFAULT_H

#include <string>

#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"

// Why a text that came in parts, a stream, could not be smiled to its end, and where:
// the line and column its input had reached, or its result for a character the
// output's encoding lacks.
struct CStreamFault {
    enum class EKind {
        Malformed,       // bytes that are no text in the input's encoding
        Zero,            // a zero byte, or U+0000 in UTF-16, which no text holds
        CodesRanOut,     // a character CP932 lacks, and no code left for it
        TakenPair,       // a Shift_JIS pair of the text's own that the smile set's
                         // characters were given as their code
        Unencodable,     // a character of the result, or bytes that are none, that
                         // the output's encoding lacks
        OpenTag,         // an HTML tag open for longer than the stream can hold
        OpenComment,     // a comment likewise
        UnreadEncoding,  // a byte-order mark of an encoding that is not read
        NoSmileSet,      // the smile set's characters found no codes in this text
    };
    EKind m_eKind = EKind::Malformed;
    CTextPlace m_place;
    EEncoding m_eEncoding = EEncoding::ShiftJis;  // the input's, or the output's
    char32_t m_character = 0;  // Unencodable: the character, 0 for bytes that are none
    std::string m_strBytes;    // Unencodable and TakenPair: the unit's CP932 bytes
    const char* m_pEncoding = nullptr;  // UnreadEncoding: its name
};

#endif
