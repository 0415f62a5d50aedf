#ifndef CHIRPWELL_CLI_FIXEDTEXTS_H
#define CHIRPWELL_CLI_FIXEDTEXTS_H

#include <string>
#include <string_view>

// The engine's fixed Japanese messages in the user's language. The window shows
// them as they are; on the command line each has an English name in the catalogue,
// and the Japanese catalogue gives the fixed text back. Texts are UTF-8.

// The message in the user's language, the numbers and names filled in before kept;
// a text that is none of the fixed ones comes back unchanged.
std::string FixedText(std::string_view japanese);

#endif
