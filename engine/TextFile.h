#ifndef CHIRPWELL_ENGINE_TEXTFILE_H
#define CHIRPWELL_ENGINE_TEXTFILE_H

#include <cstddef>
#include <cstdio>
#include <string>

// Reads a whole file, or the stream, byte for byte. False with the system's reason in
// error when it cannot be opened or read to the end (a folder cannot be read). At
// most maxBytes + 1 bytes are read, so a size above maxBytes says "too large".
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error,
                   std::size_t maxBytes = static_cast<std::size_t>(-2));
bool ReadStreamBytes(std::FILE* stream, std::string& bytes, std::string& error,
                     std::size_t maxBytes = static_cast<std::size_t>(-2));

#endif
