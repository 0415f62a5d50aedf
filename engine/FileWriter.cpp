#include "engine/FileWriter.h"

#include <cassert>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/FilePaths.h"
#include "engine/SystemError.h"

namespace {

std::error_code SystemError(int value)
{
    return std::error_code(value, std::generic_category());
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

std::string FolderPath(const std::string& target)
{
    const std::string folder = FolderOf(target);
    return folder.empty() ? std::string(".") : folder;
}

// The permissions a plain write gives a new file.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

CFileWriter::CFileWriter(std::string path) : m_strPath(std::move(path)) {}

CFileWriter::~CFileWriter()
{
    RemoveTemporary();
}

bool CFileWriter::Check(std::error_code& error)
{
    if (!FollowLinks(m_strPath, m_strTarget, error))
        return false;
    struct stat status;
    if (::stat(m_strTarget.c_str(), &status) != 0) {
        if (errno != ENOENT) {
            error = LastError();
            return false;
        }
        // A new file: its folder must take it.
        if (::access(FolderPath(m_strTarget).c_str(), W_OK | X_OK) != 0) {
            error = LastError();
            return false;
        }
        m_eWay = EWay::Replace;
        return true;
    }
    if (S_ISDIR(status.st_mode)) {
        error = SystemError(EISDIR);
        return false;
    }
    // A socket cannot be opened as a file.
    if (S_ISSOCK(status.st_mode)) {
        error = SystemError(ENXIO);
        return false;
    }
    // As a plain write would be; root is refused only what nobody may write.
    if (::access(m_strTarget.c_str(), W_OK) != 0) {
        error = LastError();
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        m_eWay = EWay::Stream;
        return true;
    }
    m_bExists = true;
    m_nMode = status.st_mode & 07777;
    m_nOwner = status.st_uid;
    m_nGroup = status.st_gid;
    const uid_t user = ::geteuid();
    const bool rewrite = status.st_nlink > 1 ||
                         ::access(FolderPath(m_strTarget).c_str(), W_OK | X_OK) != 0 ||
                         (user != 0 && status.st_uid != user);
    m_eWay = rewrite ? EWay::Rewrite : EWay::Replace;
    return true;
}

void CFileWriter::KeepOwnerAndMode(int fd) const
{
    if (!m_bExists) {
        ::fchmod(fd, NewFileMode());
        return;
    }
    mode_t mode = m_nMode;
    // Only root can give the file its owner; anyone may give it a group they are in.
    // A group that cannot be kept gets no more than everyone else may have.
    const uid_t owner = ::geteuid() == 0 ? m_nOwner : static_cast<uid_t>(-1);
    if (::fchown(fd, owner, m_nGroup) != 0)
        mode = (mode & ~static_cast<mode_t>(070)) | ((mode & 07) << 3);
    // After the owner, since a change of owner clears the set-id bits.
    ::fchmod(fd, mode);
}

bool CFileWriter::WriteTemporary(const std::string& content, std::error_code& error)
{
    assert(m_eWay == EWay::Replace);
    // A short name of its own, so that a target whose name is near the longest the
    // file system allows can still be replaced.
    std::string name = FolderOf(m_strTarget) + ".chirpwell-XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        error = LastError();
        return false;
    }
    m_strTemporary = name;
    KeepOwnerAndMode(fd);
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (!ok)
        error = LastError();
    if (::close(fd) != 0 && ok) {
        error = LastError();
        ok = false;
    }
    if (!ok)
        RemoveTemporary();
    return ok;
}

bool CFileWriter::WriteInPlace(const std::string& content, std::error_code& error)
{
    assert(m_eWay == EWay::Rewrite || m_eWay == EWay::Stream);
    // A FIFO with no reader blocks here, as a plain write to it does.
    const int fd = ::open(m_strTarget.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = LastError();
        return false;
    }
    bool ok = true;
    if (m_eWay == EWay::Rewrite) {
        // Room for the whole content first, so that a full disk stops the write
        // before the old bytes are touched. Not every file system can say.
        const auto size = static_cast<off_t>(content.size());
        if (size > 0 && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
            errno != EOPNOTSUPP && errno != ENOSYS)
            ok = false;
        ok = ok && WriteAll(fd, content) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
    } else {
        ok = WriteAll(fd, content);
    }
    if (!ok)
        error = LastError();
    if (::close(fd) != 0 && ok) {
        error = LastError();
        ok = false;
    }
    return ok;
}

bool CFileWriter::Commit(std::error_code& error)
{
    if (m_eWay != EWay::Replace)
        return true;
    assert(!m_strTemporary.empty());
    if (::rename(m_strTemporary.c_str(), m_strTarget.c_str()) != 0) {
        error = LastError();
        RemoveTemporary();
        return false;
    }
    m_strTemporary.clear();
    // The rename is an entry of the folder; without this a crash could lose it.
    const int folder = ::open(FolderPath(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        error = LastError();
        return false;
    }
    // Some file systems cannot sync a folder, and need not.
    const bool synced = ::fsync(folder) == 0 || errno == EINVAL;
    if (!synced)
        error = LastError();
    ::close(folder);
    return synced;
}

bool CFileWriter::Write(const std::string& content, std::error_code& error)
{
    if (!Check(error))
        return false;
    if (IsReplaced())
        return WriteTemporary(content, error) && Commit(error);
    return WriteInPlace(content, error);
}

void CFileWriter::RemoveTemporary()
{
    if (!m_strTemporary.empty())
        ::unlink(m_strTemporary.c_str());
    m_strTemporary.clear();
}
