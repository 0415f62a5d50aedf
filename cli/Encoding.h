#ifndef CHIRPWELL_CLI_ENCODING_H
#define CHIRPWELL_CLI_ENCODING_H

#include <string>

class CMessages;

// chirpwell-smile's texts between UTF-8 and the engine's CP932. A fault is told
// with its place: LINE:COLUMN from 1, columns in characters. Each is false after
// a message.

// The input, which messages call name, as CP932.
bool InputToCp932(const std::string& name, const std::string& utf8, std::string& cp932,
                  CMessages& messages);
// A censor character given to option, as CP932.
bool CensorCharacter(const char* option, const std::string& utf8, std::string& cp932,
                     CMessages& messages);
// The result as UTF-8.
bool ResultToUtf8(const std::string& cp932, std::string& utf8, CMessages& messages);

#endif
