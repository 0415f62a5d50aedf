#ifndef CHIRPWELL_ENGINE_TEXT_TEXTFORMAT_H
#define CHIRPWELL_ENGINE_TEXT_TEXTFORMAT_H

#include <string>
#include <string_view>

#include "engine/text/Codec.h"
#include "engine/text/Encoding.h"

// A message with "%1" to "%4" replaced by the arguments, as the program's message
// texts are written. Works on CP932 and UTF-8 alike: '%' and digits are single bytes.
std::string FormatMessage(std::string_view format, std::string_view first,
                          std::string_view second = {}, std::string_view third = {},
                          std::string_view fourth = {});

// A path (file-system bytes) as a CP932 message shows it; a name that is no valid
// UTF-8, or has no CP932 form, shows as it is.
std::string PathForMessage(const std::string& path);

// Bytes that are no character, as a message shows them: "<80><FF>".
std::string HexBytes(std::string_view bytes);
// A character as a message names it: "U+00E9".
std::string CodePoint(char32_t character);
// "LINE:COLUMN" of an offset in bytes of encoding.
std::string LineAndColumn(std::string_view bytes, EEncoding encoding, std::size_t offset);

// The user's words, CP932, for a file at path that could not be read as encoding.
std::string DecodingFaultMessage(const std::string& path, EEncoding encoding,
                                 const CTextFault& fault);

#endif
