#include "cli/Output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

void COutput::Add(const std::string& path, std::string content)
{
    m_pending.push_back({path, std::move(content), std::string()});
}

bool COutput::Commit(std::string& error)
{
    auto discard = [this] {
        for (const CPending& pending : m_pending) {
            if (!pending.m_strTemporary.empty())
                ::unlink(pending.m_strTemporary.c_str());
        }
    };
    for (CPending& pending : m_pending) {
        if (pending.m_strPath.empty())
            continue;
        std::string name = pending.m_strPath + ".XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd < 0) {
            error = pending.m_strPath + ": " + std::strerror(errno);
            discard();
            return false;
        }
        pending.m_strTemporary = name;
        const bool written = ::fchmod(fd, ModeFor(pending.m_strPath)) == 0 &&
                             WriteAll(fd, pending.m_strContent) && ::fsync(fd) == 0;
        const int writeErrno = errno;
        if (::close(fd) != 0 || !written) {
            error = pending.m_strPath + ": " + std::strerror(written ? errno : writeErrno);
            discard();
            return false;
        }
    }
    for (const CPending& pending : m_pending) {
        if (pending.m_strPath.empty()) {
            if (!WriteAll(STDOUT_FILENO, pending.m_strContent)) {
                error = std::string("standard output: ") + std::strerror(errno);
                discard();
                return false;
            }
        }
    }
    for (const CPending& pending : m_pending) {
        if (pending.m_strPath.empty())
            continue;
        if (::rename(pending.m_strTemporary.c_str(), pending.m_strPath.c_str()) != 0) {
            error = pending.m_strPath + ": " + std::strerror(errno);
            discard();
            return false;
        }
    }
    return true;
}
