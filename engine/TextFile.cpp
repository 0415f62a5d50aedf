#include "engine/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::error_code LastError()
{
    return std::error_code(errno, std::generic_category());
}

bool WriteAll(int fd, const std::string& content)
{
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = ::write(fd, content.data() + done, content.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The mode a new file gets from the umask, or the target's own when it exists.
mode_t ModeFor(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) == 0)
        return status.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

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
    bytes = std::move(content);
    return true;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::error_code& error,
                   std::size_t maxBytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = LastError();
        return false;
    }
    const bool ok = ReadStreamBytes(file, bytes, error, maxBytes);
    std::fclose(file);
    return ok;
}

bool WriteTemporaryBeside(const std::string& path, const std::string& content,
                          std::string& temporary, std::error_code& error)
{
    // A short name of its own, so that a target whose name is near the longest the
    // file system allows can still be replaced.
    const std::size_t slash = path.rfind('/');
    std::string name =
        (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".chirpwell-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = LastError();
        return false;
    }
    bool ok = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    if (!ok)
        error = LastError();
    if (::close(fd) != 0 && ok) {
        error = LastError();
        ok = false;
    }
    if (!ok) {
        ::unlink(name.c_str());
        return false;
    }
    temporary = name;
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& content,
                         std::error_code& error)
{
    std::string temporary;
    if (!WriteTemporaryBeside(path, content, temporary, error))
        return false;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = LastError();
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}
