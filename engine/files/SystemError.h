#ifndef CHIRPWELL_ENGINE_FILES_SYSTEMERROR_H
#define CHIRPWELL_ENGINE_FILES_SYSTEMERROR_H

#include <cerrno>
#include <system_error>

// The error of the system call that failed last, from errno.
inline std::error_code LastError()
{
    return std::error_code(errno, std::generic_category());
}

#endif
