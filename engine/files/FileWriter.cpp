#include "engine/files/FileWriter.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include "engine/files/FilePaths.h"
#include "engine/files/SystemError.h"
#include "engine/files/WriteSignals.h"

namespace {

// Two writers of one file take turns; the second waits 100 pauses of 50 ms at most.
constexpr int kLockTries = 100;
constexpr std::size_t kCopyBlock = 1 << 16;

bool Failed(std::error_code& error)
{
    error = LastError();
    return false;
}

bool IsUnsupported(int reason)
{
    return reason == EOPNOTSUPP || reason == ENOTSUP || reason == ENOSYS;
}

// False with EINTR once a signal waits for the write to end.
bool NoSignal()
{
    if (!SignalCame())
        return true;
    errno = EINTR;
    return false;
}

std::string FolderPath(const std::string& target)
{
    const std::string folder = FolderOf(target);
    return folder.empty() ? std::string(".") : folder;
}

// Six letters that another writer is unlikely to pick; O_EXCL makes sure.
std::string UniqueLetters()
{
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> s_counter{0};
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits))
        bits = (static_cast<std::uint64_t>(::getpid()) << 32 ^ s_counter.fetch_add(1)) *
               0x9E3779B97F4A7C15u;
    std::string letters;
    for (int i = 0; i < 6; ++i, bits /= 62)
        letters += kLetters[bits % 62];
    return letters;
}

// A name of the writer's own in folder ("" or ending in a slash). The names share
// one beginning, so that what a crash leaves is easy to find.
std::string OwnName(const std::string& folder, const char* kind)
{
    return folder + ".chirpwell-" + kind + "-" + UniqueLetters();
}

// A file of the writer's own, made exclusively and kept for a signal to remove.
bool CreateOwnFile(IFileSystem& files, const std::string& folder, const char* kind, int flags,
                   mode_t mode, std::string& path, int& fd)
{
    for (int tries = 0; tries < 100; ++tries) {
        path = OwnName(folder, kind);
        if (files.Open(path, flags | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode, fd)) {
            if (KeepRemovable(path))
                return true;
            files.Close(fd);
            files.Unlink(path);
            errno = EMFILE;
            break;
        }
        if (errno != EEXIST)
            break;
    }
    path.clear();
    return false;
}

// data whole, at offset or at the descriptor's own place; a short write goes on.
bool WriteAll(IFileSystem& files, int fd, const char* data, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        std::size_t written = 0;
        const off_t at =
            offset == IFileSystem::kAtPlace ? offset : offset + static_cast<off_t>(done);
        if (!files.Write(fd, data + done, size - done, at, written)) {
            if (errno == EINTR && !SignalCame())
                continue;
            return false;
        }
        // Nothing written and no reason given: the device takes no more.
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

// The first size bytes of from into to, both from their start, or all of from when
// size is negative; copied counts them. stopForSignal: the copy may end for a
// signal, which putting old content back must not.
bool CopyBytes(IFileSystem& files, int from, int to, off_t size, off_t& copied, bool stopForSignal)
{
    std::vector<char> block(kCopyBlock);
    copied = 0;
    while (size < 0 || copied < size) {
        if (stopForSignal && !NoSignal())
            return false;
        std::size_t wanted = block.size();
        if (size >= 0)
            wanted = std::min(wanted, static_cast<std::size_t>(size - copied));
        std::size_t got = 0;
        if (!files.Read(from, block.data(), wanted, copied, got)) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0) {
            if (size < 0)
                return true;
            // The copy is shorter than when it was made.
            errno = EIO;
            return false;
        }
        if (!WriteAll(files, to, block.data(), got, copied))
            return false;
        copied += static_cast<off_t>(got);
    }
    return true;
}

// Full folders, closed ones and read-only ones send the copy of old content on to
// the next folder; other faults end the write.
bool TryNextFolder(int reason)
{
    return reason == ENOSPC || reason == EDQUOT || reason == EACCES || reason == EPERM ||
           reason == EROFS;
}

}  // namespace

CFileWriter::CFileWriter(std::string path, IFileSystem& files)
    : m_files(files), m_strPath(std::move(path))
{
}

CFileWriter::~CFileWriter()
{
    Finish();
}

bool CFileWriter::Check(std::error_code& error)
{
    if (!FollowLinks(m_strPath, m_strTarget, error))
        return false;
    struct stat status;
    int fd = -1;
    if (DescriptorOfPath(m_strTarget, fd)) {
        if (!m_files.StatusOf(fd, status))
            return Failed(error);
        if (S_ISDIR(status.st_mode)) {
            error = std::error_code(EISDIR, std::generic_category());
            return false;
        }
        m_nDescriptor = fd;
        m_eWay = EWay::Descriptor;
        return true;
    }
    if (!m_files.Status(m_strTarget, status)) {
        if (errno != ENOENT)
            return Failed(error);
        // A new file: its folder must take it.
        if (!m_files.Access(FolderPath(m_strTarget), W_OK | X_OK))
            return Failed(error);
        m_bExists = false;
        m_eWay = EWay::Replace;
        return true;
    }
    if (S_ISDIR(status.st_mode) || S_ISSOCK(status.st_mode)) {
        // A socket cannot be opened as a file.
        error = std::error_code(S_ISDIR(status.st_mode) ? EISDIR : ENXIO, std::generic_category());
        return false;
    }
    // As a plain write would be; root is refused only what nobody may write.
    if (!m_files.Access(m_strTarget, W_OK))
        return Failed(error);
    if (!S_ISREG(status.st_mode)) {
        m_eWay = EWay::Stream;
        return true;
    }
    m_bExists = true;
    m_old = status;
    // A rename would split the file's links, is not the user's to make, would give
    // the file to the user, or cannot reach a file mounted where it is.
    const uid_t user = m_files.User();
    const bool inPlace = status.st_nlink > 1 || (user != 0 && status.st_uid != user) ||
                         !m_files.Access(FolderPath(m_strTarget), W_OK | X_OK) ||
                         m_files.IsMountPoint(m_strTarget);
    m_eWay = inPlace ? EWay::Rewrite : EWay::Replace;
    return true;
}

bool CFileWriter::Prepare(const std::string& content, std::error_code& error)
{
    m_pContent = &content;
    if (m_eWay == EWay::Replace)
        return PrepareTemporary(error);
    if (m_eWay == EWay::Rewrite)
        return PrepareRewrite(error);
    return true;
}

bool CFileWriter::PrepareTemporary(std::error_code& error)
{
    int fd = -1;
    // Replacing a file, the temporary stays private until it has the old file's
    // permissions; a new file gets what the umask and the folder's default ACL give.
    if (!CreateOwnFile(m_files, FolderOf(m_strTarget), "new", O_WRONLY, m_bExists ? 0600 : 0666,
                       m_strTemporary, fd))
        return Failed(error);
    if (WriteAll(m_files, fd, m_pContent->data(), m_pContent->size(), 0))
        return SealTemporary(fd, error);
    error = LastError();
    m_files.Close(fd);
    Remove(m_strTemporary);
    return false;
}

bool CFileWriter::SealTemporary(int fd, std::error_code& error)
{
    bool ok = (!m_bExists || CarryOver(fd)) && NoSignal() && m_files.Sync(fd);
    if (!ok)
        error = LastError();
    if (!m_files.Close(fd) && ok) {
        error = LastError();
        ok = false;
    }
    if (!ok)
        Remove(m_strTemporary);
    return ok;
}

bool CFileWriter::CarryOver(int fd)
{
    mode_t mode = m_old.st_mode & 07777;
    // Root gives the file its owner; anyone may give it a group they are in.
    const bool root = m_files.User() == 0;
    if (!m_files.ChangeOwner(fd, root ? m_old.st_uid : static_cast<uid_t>(-1), m_old.st_gid)) {
        if (root || errno != EPERM)
            return false;
        // The user's own group may have no more than everyone else had.
        mode = (mode & ~static_cast<mode_t>(S_ISGID | 070)) | (mode & 07) << 3;
    }
    // A file the user may write but not read gives its ACL and attributes by path.
    int old = -1;
    if (!m_files.Open(m_strTarget, O_RDONLY | O_CLOEXEC | O_NOCTTY, 0, old))
        old = -1;
    // A file system that holds no ACLs or attributes has none to carry over. The mode
    // comes after the owner, which takes the set-id bits away, and after the ACL,
    // which sets the permission bits but not those.
    const bool ok =
        (m_files.CopyAcl(m_strTarget, old, m_strTemporary, fd) || IsUnsupported(errno)) &&
        m_files.ChangeMode(fd, mode) &&
        (m_files.CopyAttributes(m_strTarget, old, m_strTemporary, fd) || IsUnsupported(errno));
    const int reason = errno;
    if (old >= 0)
        m_files.Close(old);
    errno = reason;
    return ok;
}

bool CFileWriter::PrepareRewrite(std::error_code& error)
{
    for (int tries = 1;; ++tries) {
        if (!m_files.Open(m_strTarget, O_RDWR | O_CLOEXEC | O_NOCTTY, 0, m_nFile))
            return Failed(error);
        struct stat locked;
        struct stat now;
        if (!TakeTurn() || !m_files.StatusOf(m_nFile, locked)) {
            error = LastError();
            CloseFile(m_nFile);
            return false;
        }
        // While this writer waited its turn, another may have put a new file there.
        const bool named = m_files.Status(m_strTarget, now);
        if (!named && errno != ENOENT) {
            error = LastError();
            CloseFile(m_nFile);
            return false;
        }
        if (named && now.st_dev == locked.st_dev && now.st_ino == locked.st_ino) {
            m_old = locked;
            break;
        }
        CloseFile(m_nFile);
        if (tries == 3) {
            error = std::error_code(EWOULDBLOCK, std::generic_category());
            return false;
        }
    }
    if (!CopyAside()) {
        error = LastError();
        CloseFile(m_nFile);
        return false;
    }
    // Room for the whole content first, where the file system can give it, so that a
    // full disk stops the write before the old bytes are touched.
    const auto size = static_cast<off_t>(m_pContent->size());
    if (size > 0 && !m_files.Reserve(m_nFile, size) && !IsUnsupported(errno)) {
        error = LastError();
        Finish();
        return false;
    }
    return true;
}

bool CFileWriter::TakeTurn()
{
    for (int tries = 1;; ++tries) {
        if (m_files.Lock(m_nFile))
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        if (tries == kLockTries) {
            errno = EWOULDBLOCK;
            return false;
        }
        if (!NoSignal())
            return false;
        m_files.Pause();
    }
}

bool CFileWriter::CopyAside()
{
    // Beside the file where the user may write there, else in a folder of the user's.
    std::vector<std::string> folders;
    if (m_files.Access(FolderPath(m_strTarget), W_OK | X_OK))
        folders.push_back(FolderOf(m_strTarget));
    for (const std::string& folder : m_files.CopyFolders())
        folders.push_back(folder + "/");
    int reason = EACCES;
    for (const std::string& folder : folders) {
        int copy = -1;
        // Only the file's own folder is there for certain.
        const bool made = folder == FolderOf(m_strTarget) || m_files.MakeFolders(folder);
        if (!made || !CreateOwnFile(m_files, folder, "old", O_RDWR, 0600, m_strCopy, copy)) {
            reason = errno;
            if (!TryNextFolder(reason))
                break;
            continue;
        }
        if (CopyBytes(m_files, m_nFile, copy, -1, m_nOldSize, true) && m_files.Sync(copy)) {
            m_nCopy = copy;
            // After a crash the copy is still there.
            SyncFolder(folder.empty() ? std::string(".") : folder);
            return true;
        }
        reason = errno;
        m_files.Close(copy);
        Remove(m_strCopy);
        if (!TryNextFolder(reason))
            break;
    }
    errno = reason;
    return false;
}

bool CFileWriter::WriteStream(const std::string& content, std::error_code& error)
{
    if (!IsStream())
        return true;
    CStreamWait wait;
    int fd = m_nDescriptor;
    // A FIFO with no reader waits here, as a plain write to it does.
    if (m_eWay == EWay::Stream &&
        !m_files.Open(m_strTarget, O_WRONLY | O_CLOEXEC | O_NOCTTY, 0, fd))
        return Failed(error);
    bool ok = WriteAll(m_files, fd, content.data(), content.size(), IFileSystem::kAtPlace);
    if (!ok)
        error = LastError();
    if (m_eWay == EWay::Stream && !m_files.Close(fd) && ok) {
        error = LastError();
        ok = false;
    }
    return ok;
}

bool CFileWriter::Open(std::error_code& error)
{
    if (m_eWay == EWay::Rewrite) {
        error = std::error_code(EOPNOTSUPP, std::generic_category());
        return false;
    }
    if (m_eWay == EWay::Replace) {
        // As PrepareTemporary makes it.
        if (!CreateOwnFile(m_files, FolderOf(m_strTarget), "new", O_WRONLY,
                           m_bExists ? 0600 : 0666, m_strTemporary, m_nAppend))
            return Failed(error);
        m_bOwnAppend = true;
        return true;
    }
    if (m_eWay == EWay::Descriptor) {
        m_nAppend = m_nDescriptor;
        return true;
    }
    CStreamWait wait;
    // A FIFO with no reader waits here, as a plain open of it does.
    if (!m_files.Open(m_strTarget, O_WRONLY | O_CLOEXEC | O_NOCTTY, 0, m_nAppend))
        return Failed(error);
    m_bOwnAppend = true;
    return true;
}

bool CFileWriter::Append(std::string_view part, std::error_code& error)
{
    if (IsStream()) {
        CStreamWait wait;
        return WriteAll(m_files, m_nAppend, part.data(), part.size(), IFileSystem::kAtPlace) ||
               Failed(error);
    }
    return (NoSignal() &&
            WriteAll(m_files, m_nAppend, part.data(), part.size(), IFileSystem::kAtPlace)) ||
           Failed(error);
}

bool CFileWriter::Commit(bool undoable, std::error_code& error)
{
    if (m_eWay == EWay::Replace && m_nAppend >= 0) {
        const int fd = m_nAppend;
        m_nAppend = -1;
        m_bOwnAppend = false;
        if (!SealTemporary(fd, error))
            return false;
    }
    if (IsStream() && m_bOwnAppend) {
        m_bOwnAppend = false;
        const int fd = std::exchange(m_nAppend, -1);
        if (!m_files.Close(fd))
            return Failed(error);
    }
    if (m_eWay == EWay::Replace)
        return Replace(undoable, error);
    if (m_eWay == EWay::Rewrite)
        return Rewrite(error);
    return true;
}

bool CFileWriter::Replace(bool undoable, std::error_code& error)
{
    if (!NoSignal() || (undoable && m_bExists && !LinkAside())) {
        error = LastError();
        Remove(m_strTemporary);
        return false;
    }
    if (!m_files.Rename(m_strTemporary, m_strTarget)) {
        const int reason = errno;
        Remove(m_strTemporary);
        Remove(m_strAside);
        // A file mounted where it is cannot be renamed over; a rewrite reaches it.
        if (reason == EBUSY && m_bExists) {
            m_eWay = EWay::Rewrite;
            return PrepareRewrite(error) && Rewrite(error);
        }
        error = std::error_code(reason, std::generic_category());
        return false;
    }
    ForgetRemovable(m_strTemporary);
    m_strTemporary.clear();
    m_bCommitted = true;
    SyncFolder(FolderPath(m_strTarget));
    return true;
}

bool CFileWriter::LinkAside()
{
    for (int tries = 0; tries < 100; ++tries) {
        m_strAside = OwnName(FolderOf(m_strTarget), "old");
        if (m_files.Link(m_strTarget, m_strAside)) {
            if (KeepRemovable(m_strAside))
                return true;
            m_files.Unlink(m_strAside);
            errno = EMFILE;
            break;
        }
        if (errno != EEXIST) {
            const int reason = errno;
            m_strAside.clear();
            // A file system without hard links gives no second name: the rename then
            // cannot be taken back, but goes on.
            errno = reason;
            return reason == EPERM || reason == EMLINK || IsUnsupported(reason);
        }
    }
    m_strAside.clear();
    return false;
}

bool CFileWriter::Rewrite(std::error_code& error)
{
    const std::string& content = *m_pContent;
    if (NoSignal() && WriteAll(m_files, m_nFile, content.data(), content.size(), 0) &&
        m_files.Truncate(m_nFile, static_cast<off_t>(content.size())) && m_files.Sync(m_nFile) &&
        KeepSetId(m_nFile)) {
        m_bCommitted = true;
        return true;
    }
    error = LastError();
    PutBack();
    return false;
}

bool CFileWriter::PutBack()
{
    off_t copied = 0;
    if (CopyBytes(m_files, m_nCopy, m_nFile, m_nOldSize, copied, false) &&
        m_files.Truncate(m_nFile, m_nOldSize) && m_files.Sync(m_nFile) && KeepSetId(m_nFile)) {
        m_bCommitted = false;
        return true;
    }
    // The copy is all that is left of the old content: it stays, and the message
    // names it.
    const int reason = errno;
    ForgetRemovable(m_strCopy);
    m_strKeptCopy = std::move(m_strCopy);
    m_strCopy.clear();
    CloseFile(m_nCopy);
    m_bCommitted = false;
    errno = reason;
    return false;
}

bool CFileWriter::KeepSetId(int fd)
{
    // A write by anyone but root takes the set-id bits away; the owner may set them
    // again.
    const uid_t user = m_files.User();
    if ((m_old.st_mode & (S_ISUID | S_ISGID)) == 0 || user == 0 || user != m_old.st_uid)
        return true;
    return m_files.ChangeMode(fd, m_old.st_mode & 07777);
}

bool CFileWriter::Undo(std::error_code& error)
{
    if (!m_bCommitted)
        return true;
    if (m_eWay == EWay::Rewrite)
        return PutBack() || Failed(error);
    bool ok = false;
    if (!m_strAside.empty())
        ok = m_files.Rename(m_strAside, m_strTarget);
    else if (!m_bExists)
        ok = m_files.Unlink(m_strTarget);
    else
        errno = EOPNOTSUPP;  // the file system had no second name for the old file
    if (!ok)
        return Failed(error);
    ForgetRemovable(m_strAside);
    m_strAside.clear();
    m_bCommitted = false;
    SyncFolder(FolderPath(m_strTarget));
    return true;
}

void CFileWriter::Finish()
{
    if (m_bOwnAppend)
        CloseFile(m_nAppend);
    m_nAppend = -1;
    m_bOwnAppend = false;
    Remove(m_strTemporary);
    Remove(m_strAside);
    CloseFile(m_nCopy);
    Remove(m_strCopy);
    // Closing the target lets go of the lock.
    CloseFile(m_nFile);
    m_bCommitted = false;
}

bool CFileWriter::Write(const std::string& content, std::error_code& error)
{
    CWriteSession session;
    const bool done = Check(error) && Prepare(content, error) &&
                      WriteStream(content, error) && Commit(false, error);
    Finish();
    return done;
}

void CFileWriter::SyncFolder(const std::string& folder)
{
    // A new name is an entry of the folder, which a crash could lose without this.
    // Some file systems cannot sync a folder, and the content is in place whatever
    // this gives, so a failure here changes nothing.
    int fd = -1;
    if (!m_files.Open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, fd))
        return;
    m_files.Sync(fd);
    m_files.Close(fd);
}

void CFileWriter::Remove(std::string& path)
{
    if (path.empty())
        return;
    m_files.Unlink(path);
    ForgetRemovable(path);
    path.clear();
}

void CFileWriter::CloseFile(int& fd)
{
    if (fd >= 0)
        m_files.Close(fd);
    fd = -1;
}
