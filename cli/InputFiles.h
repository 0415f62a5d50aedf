#ifndef CHIRPWELL_CLI_INPUTFILES_H
#define CHIRPWELL_CLI_INPUTFILES_H

#include <cstdio>
#include <optional>
#include <string>

#include "engine/text/Encoding.h"

class CConverter;
class CMessages;

// What chirpwell-smile reads: the input and the smile file, whole, up to the text
// limit of 1,048,575 bytes. A named file may be a regular file or a pipe, not a
// device; standard input may be anything. Each is false after a message.

// True when path stands for standard input (absent or "-").
bool ReadsStandardInput(const std::string& path);
// What messages call the input.
std::string InputName(const std::string& path);

// The input from path, or from standardInput; a text file has no zero byte.
bool ReadInput(const std::string& path, std::FILE* standardInput, std::string& bytes,
               CMessages& messages);
bool ReadSmileFile(const std::string& path, std::string& bytes, CMessages& messages);
// The smile set of the smile file at path, in encoding or the one detected, or the
// built-in set when path is empty, put in force in converter.
bool LoadSmileSet(CConverter& converter, CMessages& messages, const std::string& path,
                  std::optional<EEncoding> encoding);

#endif
