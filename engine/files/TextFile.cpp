#include "engine/files/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/files/SystemError.h"

namespace {

class CReadErrorCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "chirpwell-read"; }
    std::string message(int value) const override
    {
        switch (static_cast<EReadError>(value)) {
        case EReadError::NotRegularFile:
            return "not a regular file";
        case EReadError::TooLarge:
            return "file too large";
        }
        return "unknown read error";
    }
};

// The bytes are read straight into the text's own buffer, which grows as a file
// without a known size goes on; sizeHint, when known, makes it the right size at
// once. No staging buffer: on a machine where every fresh page costs microseconds,
// one touched twice over is the larger part of reading a small file.
bool ReadDescriptor(int fd, std::string& bytes, std::error_code& error, std::size_t maxBytes,
                    std::size_t sizeHint = 0)
{
    constexpr std::size_t kChunk = 65536;
    std::string content;
    // One byte past the limit tells a file at the limit from a larger one.
    std::size_t room = std::min(sizeHint != 0 ? sizeHint : kChunk, maxBytes) + 1;
    std::size_t size = 0;
    while (size <= maxBytes) {
        if (size == room)
            room = std::min(std::max(room * 2, room + kChunk), maxBytes + 1);
        content.resize(room);
        const ssize_t got = ::read(fd, content.data() + size, room - size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = LastError();
            return false;
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    if (size > maxBytes) {
        error = EReadError::TooLarge;
        return false;
    }
    content.resize(size);
    bytes = std::move(content);
    return true;
}

}  // namespace

const std::error_category& ReadErrorCategory()
{
    static const CReadErrorCategory category;
    return category;
}

std::error_code make_error_code(EReadError error)
{
    return std::error_code(static_cast<int>(error), ReadErrorCategory());
}

bool ReadStreamBytes(std::FILE* stream, std::string& bytes, std::error_code& error,
                     std::size_t maxBytes)
{
    std::string content;
    char buffer[65536];
    while (content.size() <= maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - content.size());
        const std::size_t got = std::fread(buffer, 1, wanted, stream);
        content.append(buffer, got);
        if (got < wanted) {
            if (std::ferror(stream)) {
                error = LastError();
                return false;
            }
            break;
        }
    }
    if (content.size() > maxBytes) {
        error = EReadError::TooLarge;
        return false;
    }
    bytes = std::move(content);
    return true;
}

bool OpenFileToRead(const std::string& path, int& fd, std::error_code& error, EFileKinds kinds)
{
    // What is not allowed is refused before it is opened, since opening a device
    // may already act on it; the opened file is looked at again, as it may have
    // changed in between. A FIFO, where allowed, is opened as cat opens it, waiting
    // for a writer; anything else without blocking.
    auto allowed = [kinds](const struct stat& status, std::error_code& why) {
        if (S_ISDIR(status.st_mode))
            why = std::error_code(EISDIR, std::generic_category());
        else if (!S_ISREG(status.st_mode) &&
                 !(kinds == EFileKinds::RegularOrPipe && S_ISFIFO(status.st_mode)))
            why = EReadError::NotRegularFile;
        else
            return true;
        return false;
    };
    struct stat status {};
    const bool known = ::stat(path.c_str(), &status) == 0;
    if (known && !allowed(status, error))
        return false;
    const bool pipe = known && S_ISFIFO(status.st_mode);
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | (pipe ? 0 : O_NONBLOCK));
    if (fd < 0) {
        error = LastError();
        return false;
    }
    if (::fstat(fd, &status) == 0 && allowed(status, error))
        return true;
    if (!error)
        error = LastError();
    ::close(fd);
    fd = -1;
    return false;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::error_code& error,
                   std::size_t maxBytes, EFileKinds kinds)
{
    int fd = -1;
    if (!OpenFileToRead(path, fd, error, kinds))
        return false;
    struct stat status {};
    bool ok = ::fstat(fd, &status) == 0;
    if (!ok)
        error = LastError();
    ok = ok && ReadDescriptor(fd, bytes, error, maxBytes,
                              S_ISREG(status.st_mode) ? static_cast<std::size_t>(status.st_size) : 0);
    ::close(fd);
    return ok;
}
