#include "engine/FilePaths.h"

#include <cerrno>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/SystemError.h"

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

}  // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FollowLinks(const std::string& path, std::string& target, std::error_code& error)
{
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat status;
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

bool SameFile(const std::string& left, const std::string& right)
{
    struct stat leftStatus;
    struct stat rightStatus;
    if (::stat(left.c_str(), &leftStatus) == 0 && ::stat(right.c_str(), &rightStatus) == 0)
        return leftStatus.st_dev == rightStatus.st_dev && leftStatus.st_ino == rightStatus.st_ino;
    std::string leftTarget;
    std::string rightTarget;
    std::error_code error;
    if (!FollowLinks(left, leftTarget, error) || !FollowLinks(right, rightTarget, error))
        return false;
    const std::filesystem::path leftPath = std::filesystem::weakly_canonical(leftTarget, error);
    if (error)
        return false;
    const std::filesystem::path rightPath = std::filesystem::weakly_canonical(rightTarget, error);
    return !error && leftPath == rightPath;
}
