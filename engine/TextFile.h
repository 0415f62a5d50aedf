#ifndef CHIRPWELL_ENGINE_TEXTFILE_H
#define CHIRPWELL_ENGINE_TEXTFILE_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <system_error>

// Whole files as bytes. Paths are file-system bytes.

// Reads a whole file, or a stream, byte for byte. False with the system's reason
// when it cannot be opened or read to the end (a folder cannot be read). At most
// maxBytes + 1 bytes are read, so a size above maxBytes says "too large".
bool ReadFileBytes(const std::string& path, std::string& bytes, std::error_code& error,
                   std::size_t maxBytes = static_cast<std::size_t>(-2));
bool ReadStreamBytes(std::FILE* stream, std::string& bytes, std::error_code& error,
                     std::size_t maxBytes = static_cast<std::size_t>(-2));

// Writes content to a new hidden file in path's folder, named in temporary, with the mode path
// has (or a new file's), and flushes it to disk. Nothing is left behind on failure.
bool WriteTemporaryBeside(const std::string& path, const std::string& content,
                          std::string& temporary, std::error_code& error);

// Replaces path with content whole, or leaves it as it was.
bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::error_code& error);

#endif
