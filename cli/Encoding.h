#ifndef CHIRPWELL_CLI_ENCODING_H
#define CHIRPWELL_CLI_ENCODING_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smile/SmilePlace.h"
#include "engine/text/Encoding.h"

class CCodec;
class CMessages;

// chirpwell-smile's texts between their encodings and the engine's CP932. A fault
// is told with its place: LINE:COLUMN from 1, columns in characters. Each is false
// after a message.

// The input whose bytes text holds, which messages call name, made its CP932 text in
// place: in encoding, or in the one detected when none is given; read says which it
// was. codec starts afresh for it.
bool DecodeInput(const std::string& name, std::string& text, std::optional<EEncoding> encoding,
                 CCodec& codec, EEncoding& read, CMessages& messages);
// The censor character of the width given to option, as CP932 for the text of codec.
bool CensorCharacter(const char* option, bool fullWidth, const std::string& utf8, CCodec& codec,
                     std::string& cp932, CMessages& messages);
// The result in encoding; cp932 may be taken over.
bool EncodeResult(std::string&& cp932, EEncoding encoding, const CCodec& codec,
                  std::string& bytes, CMessages& messages);
// Why the result cannot be written in encoding: the character there (or, 0, the
// unit's bytes that are none) at where, LINE:COLUMN of the result.
std::string UnencodableMessage(char32_t character, std::string_view bytes,
                               const std::string& where, EEncoding encoding);
// The places as "POSITION LENGTH" lines, counting bytes of the result as EncodeResult
// writes it.
std::string PlacesText(const std::string& cp932, EEncoding encoding, const CCodec& codec,
                       const CSmilePlaceList& places);

#endif
