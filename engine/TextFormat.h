#ifndef CHIRPWELL_ENGINE_TEXTFORMAT_H
#define CHIRPWELL_ENGINE_TEXTFORMAT_H

#include <string>
#include <string_view>

// A message with "%1", "%2" and "%3" replaced by the arguments, as the program's message
// texts are written. Works on CP932 and UTF-8 alike: '%' and digits are single bytes.
std::string FormatMessage(std::string_view format, std::string_view first,
                          std::string_view second = {}, std::string_view third = {});

#endif
