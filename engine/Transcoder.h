#ifndef CHIRPWELL_ENGINE_TRANSCODER_H
#define CHIRPWELL_ENGINE_TRANSCODER_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Encoding.h"

class CCodeTable;

// Why a text could not be read or written in an encoding. Offsets count bytes of the
// input: the file's bytes when reading, the CP932 text when writing.
struct CTextFault {
    enum class EKind {
        Malformed,          // the bytes are no text in the encoding
        TooManyCharacters,  // more characters that CP932 lacks than there are codes
        Unencodable,        // a character the encoding lacks
    };
    EKind m_eKind = EKind::Malformed;
    std::size_t m_nOffset = 0;
    char32_t m_character = 0;   // Unencodable: the character, 0 when the bytes are none
    std::size_t m_nCount = 0;   // TooManyCharacters: the kinds of such characters
    std::size_t m_nLength = 0;  // Unencodable: the bytes of the unit at m_nOffset
};

// The user's words, CP932, for a file at path that DecodeText could not read as
// encoding.
std::string DecodingFaultMessage(const std::string& path, EEncoding encoding,
                                 const CTextFault& fault);

// A file's bytes as CP932 text, its byte-order mark left out. Shift_JIS is taken
// byte for byte; a character of UTF-8 or EUC-JP that CP932 lacks gets its code from
// codes, which gives new codes as needed, all or none.
bool DecodeText(std::string_view bytes, EEncoding encoding, CCodeTable& codes,
                std::string& cp932, CTextFault& fault);
// The same, taking only codes already given; a character without one is Unencodable.
bool DecodeKnownText(std::string_view bytes, EEncoding encoding, const CCodeTable& codes,
                     std::string& cp932, CTextFault& fault);

// CP932 text as a file's bytes, with a byte-order mark for Utf8Bom. Shift_JIS is
// written byte for byte, but for the codes of codes, which it lacks.
bool EncodeText(std::string_view cp932, EEncoding encoding, const CCodeTable& codes,
                std::string& bytes, CTextFault& fault);

// Turns sorted offsets in cp932 into offsets in its encoding as EncodeText writes
// it, a byte-order mark included; an offset inside a unit becomes that of the unit.
// The text must encode without a fault.
void MapOffsets(std::string_view cp932, EEncoding encoding, const CCodeTable& codes,
                std::vector<std::size_t>& offsets);

// The character of the CP932 unit that starts text, the codes of codes included; 0
// when the unit is no character. length is set to the unit's bytes.
char32_t UnitCharacter(std::string_view cp932, const CCodeTable& codes, std::size_t& length);

// Appends character as UTF-8.
void AppendUtf8(char32_t character, std::string& utf8);

#endif
