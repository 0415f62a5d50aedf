#include "engine/files/PosixFileSystem.h"

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <acl/libacl.h>
#include <attr/error_context.h>
#include <attr/libattr.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// libacl and libattr tell their failures through a context; the first one's errno is
// the reason, which later calls of the copy could overwrite.
struct CCopyErrors {
    error_context m_context{&CCopyErrors::Record, nullptr, nullptr};
    int m_nError = 0;

    static void Record(error_context* context, const char*, ...)
    {
        auto* errors = reinterpret_cast<CCopyErrors*>(context);
        if (errors->m_nError == 0)
            errors->m_nError = errno;
    }
    bool Done(int result)
    {
        if (result == 0)
            return true;
        errno = m_nError != 0 ? m_nError : EIO;
        return false;
    }
};
static_assert(offsetof(CCopyErrors, m_context) == 0);

// The attributes a new copy of a file takes: those cp --preserve=all takes, but not
// file capabilities, which a write to a program takes away, so that no privilege
// passes to content that no one granted it to.
int CarriedAttribute(const char* name, error_context* context)
{
    return std::strcmp(name, "security.capability") != 0 &&
           attr_copy_check_permissions(name, context);
}

}  // namespace

bool CPosixFileSystem::Status(const std::string& path, struct stat& status)
{
    return ::stat(path.c_str(), &status) == 0;
}

bool CPosixFileSystem::StatusOf(int fd, struct stat& status)
{
    return ::fstat(fd, &status) == 0;
}

bool CPosixFileSystem::Access(const std::string& path, int mode)
{
    return ::access(path.c_str(), mode) == 0;
}

bool CPosixFileSystem::IsMountPoint(const std::string& path)
{
    struct statx status;
    return ::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS, &status) == 0 &&
           (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

bool CPosixFileSystem::Open(const std::string& path, int flags, mode_t mode, int& fd)
{
    fd = ::open(path.c_str(), flags, mode);
    return fd >= 0;
}

bool CPosixFileSystem::Close(int fd)
{
    return ::close(fd) == 0;
}

bool CPosixFileSystem::Read(int fd, char* buffer, std::size_t size, off_t offset,
                            std::size_t& done)
{
    const ssize_t read = ::pread(fd, buffer, size, offset);
    done = read > 0 ? static_cast<std::size_t>(read) : 0;
    return read >= 0;
}

bool CPosixFileSystem::Write(int fd, const char* data, std::size_t size, off_t offset,
                             std::size_t& done)
{
    const ssize_t written =
        offset == kAtPlace ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
    done = written > 0 ? static_cast<std::size_t>(written) : 0;
    return written >= 0;
}

bool CPosixFileSystem::Sync(int fd)
{
    return ::fsync(fd) == 0;
}

bool CPosixFileSystem::Reserve(int fd, off_t size)
{
    return ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0;
}

bool CPosixFileSystem::Truncate(int fd, off_t size)
{
    return ::ftruncate(fd, size) == 0;
}

bool CPosixFileSystem::Lock(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void CPosixFileSystem::Pause()
{
    const timespec moment{0, 50'000'000};
    ::nanosleep(&moment, nullptr);
}

bool CPosixFileSystem::Rename(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool CPosixFileSystem::Link(const std::string& from, const std::string& to)
{
    return ::link(from.c_str(), to.c_str()) == 0;
}

bool CPosixFileSystem::Unlink(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

bool CPosixFileSystem::MakeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (!folder.empty() && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool CPosixFileSystem::ChangeOwner(int fd, uid_t owner, gid_t group)
{
    return ::fchown(fd, owner, group) == 0;
}

bool CPosixFileSystem::ChangeMode(int fd, mode_t mode)
{
    return ::fchmod(fd, mode) == 0;
}

bool CPosixFileSystem::CopyAcl(const std::string& fromPath, int from, const std::string& toPath,
                               int to)
{
    CCopyErrors errors;
    return errors.Done(from >= 0
                           ? perm_copy_fd(fromPath.c_str(), from, toPath.c_str(), to,
                                          &errors.m_context)
                           : perm_copy_file(fromPath.c_str(), toPath.c_str(), &errors.m_context));
}

bool CPosixFileSystem::CopyAttributes(const std::string& fromPath, int from,
                                      const std::string& toPath, int to)
{
    CCopyErrors errors;
    return errors.Done(from >= 0 ? attr_copy_fd(fromPath.c_str(), from, toPath.c_str(), to,
                                                CarriedAttribute, &errors.m_context)
                                 : attr_copy_file(fromPath.c_str(), toPath.c_str(),
                                                  CarriedAttribute, &errors.m_context));
}

uid_t CPosixFileSystem::User()
{
    return ::geteuid();
}

std::vector<std::string> CPosixFileSystem::CopyFolders()
{
    std::vector<std::string> folders;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    if (cache && cache[0] == '/')
        folders.push_back(std::string(cache) + "/chirpwell");
    else if (home && home[0] == '/')
        folders.push_back(std::string(home) + "/.cache/chirpwell");
    const char* temporary = std::getenv("TMPDIR");
    folders.push_back(temporary && temporary[0] == '/' ? temporary : "/tmp");
    return folders;
}

IFileSystem& SystemFileSystem()
{
    static CPosixFileSystem system;
    return system;
}
