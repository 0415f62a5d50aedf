#ifndef CHIRPWELL_ENGINE_FILES_TEXTFILE_H
#define CHIRPWELL_ENGINE_FILES_TEXTFILE_H

#include <cstddef>
#include <cstdio>
#include <string>
#include <system_error>
#include <type_traits>

// Whole files read as bytes. Paths are file-system bytes; sizes count bytes.

// Why a read was refused where the system itself had no objection.
enum class EReadError {
    NotRegularFile = 1,  // a folder, device, socket, or a FIFO where none is allowed
    TooLarge,            // more bytes than the caller's limit
};
const std::error_category& ReadErrorCategory();
std::error_code make_error_code(EReadError error);
template <>
struct std::is_error_code_enum<EReadError> : std::true_type {};

// What a path may name. The window reads regular files only: a FIFO or a device
// would block it or never end. The command line also reads pipes, so that a
// process substitution works.
enum class EFileKinds { Regular, RegularOrPipe };

// Reads a whole file, byte for byte. False with the reason when it cannot be
// opened or read to the end, is of a kind not allowed, or holds more than
// maxBytes. A file that is not allowed is refused without blocking.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::error_code& error,
                   std::size_t maxBytes, EFileKinds kinds = EFileKinds::Regular);
// Opens a file to read as ReadFileBytes does, for a caller that reads it a part at a
// time; fd is then the caller's to close.
bool OpenFileToRead(const std::string& path, int& fd, std::error_code& error, EFileKinds kinds);
// The same for an open stream of any kind, read to its end.
bool ReadStreamBytes(std::FILE* stream, std::string& bytes, std::error_code& error,
                     std::size_t maxBytes);

#endif
