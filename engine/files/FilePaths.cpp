#include "engine/files/FilePaths.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <memory>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/files/SystemError.h"

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

bool ReadLink(const std::string& path, std::string& link, std::error_code& error)
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0) {
            error = LastError();
            return false;
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            link = buffer.substr(0, static_cast<std::size_t>(length));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool Identify(const struct stat& status, CFileIdentity& identity)
{
    identity.m_bExists = true;
    identity.m_bRegular = S_ISREG(status.st_mode);
    identity.m_nDevice = status.st_dev;
    identity.m_nInode = status.st_ino;
    return true;
}

}  // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool DescriptorOfPath(const std::string& path, int& fd)
{
    static constexpr std::string_view kStreams[] = {"/dev/stdin", "/dev/stdout", "/dev/stderr"};
    for (int stream = 0; stream < 3; ++stream) {
        if (path == kStreams[stream]) {
            fd = stream;
            return true;
        }
    }
    std::string_view number;
    for (std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.starts_with(folder))
            number = std::string_view(path).substr(folder.size());
    }
    const char* end = number.data() + number.size();
    return !number.empty() && number[0] != '+' &&
           std::from_chars(number.data(), end, fd).ptr == end && fd >= 0;
}

bool FollowLinks(const std::string& path, std::string& target, std::error_code& error)
{
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        int fd = -1;
        struct stat status;
        if (DescriptorOfPath(current, fd)) {
            target = current;
            return true;
        }
        if (::lstat(current.c_str(), &status) != 0) {
            // What does not exist yet is where the write creates the file.
            if (errno != ENOENT) {
                error = LastError();
                return false;
            }
            target = current;
            return true;
        }
        if (!S_ISLNK(status.st_mode)) {
            target = current;
            return true;
        }
        std::string link;
        if (!ReadLink(current, link, error))
            return false;
        current = !link.empty() && link[0] == '/' ? link : FolderOf(current) + link;
    }
    error = std::error_code(ELOOP, std::generic_category());
    return false;
}

bool CFileIdentity::operator==(const CFileIdentity& other) const
{
    if (m_bExists != other.m_bExists)
        return false;
    return m_bExists ? m_nDevice == other.m_nDevice && m_nInode == other.m_nInode
                     : m_strPlace == other.m_strPlace;
}

bool IdentifyDescriptor(int fd, CFileIdentity& identity)
{
    struct stat status;
    return ::fstat(fd, &status) == 0 && Identify(status, identity);
}

bool IdentifyPath(const std::string& path, CFileIdentity& identity)
{
    identity = CFileIdentity();
    int fd = -1;
    if (DescriptorOfPath(path, fd))
        return IdentifyDescriptor(fd, identity);
    struct stat status;
    if (::stat(path.c_str(), &status) == 0)
        return Identify(status, identity);
    std::string target;
    std::error_code error;
    if (errno != ENOENT || !FollowLinks(path, target, error))
        return false;
    // "newo", "./newo" and "$PWD/newo" name one file to be: its folder resolved,
    // then its name.
    std::string folder = FolderOf(target);
    const std::unique_ptr<char, decltype(&std::free)> resolved(
        ::realpath(folder.empty() ? "." : folder.c_str(), nullptr), &std::free);
    if (!resolved)
        return false;
    identity.m_strPlace = std::string(resolved.get()) + "/" + target.substr(folder.size());
    return true;
}
