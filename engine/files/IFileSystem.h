#ifndef CHIRPWELL_ENGINE_FILES_IFILESYSTEM_H
#define CHIRPWELL_ENGINE_FILES_IFILESYSTEM_H

#include <cstddef>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

// The system calls through which the writer changes files, apart so that a test can
// make any one of them fail, as LevelDB's Env lets its tests do. Each does what the
// call of its kind does; false leaves the reason in errno. Paths are file-system
// bytes; sizes and offsets count bytes.
class IFileSystem {
public:
    // Write's offset for a descriptor's own place: appending where it appends.
    static constexpr off_t kAtPlace = -1;

    virtual ~IFileSystem() = default;

    virtual bool Status(const std::string& path, struct stat& status) = 0;  // stat
    virtual bool StatusOf(int fd, struct stat& status) = 0;                 // fstat
    // access: whether the user may (mode as access takes it).
    virtual bool Access(const std::string& path, int mode) = 0;
    // True when path is where a file system, or a file, is mounted; false also when
    // the system cannot say.
    virtual bool IsMountPoint(const std::string& path) = 0;
    virtual bool Open(const std::string& path, int flags, mode_t mode, int& fd) = 0;
    virtual bool Close(int fd) = 0;
    // pread; done is 0 only at the end of the file.
    virtual bool Read(int fd, char* buffer, std::size_t size, off_t offset, std::size_t& done) = 0;
    // pwrite at offset, or write at kAtPlace; done may fall short of size.
    virtual bool Write(int fd, const char* data, std::size_t size, off_t offset,
                       std::size_t& done) = 0;
    virtual bool Sync(int fd) = 0;                   // fsync
    virtual bool Reserve(int fd, off_t size) = 0;    // fallocate, keeping the size
    virtual bool Truncate(int fd, off_t size) = 0;   // ftruncate
    virtual bool Lock(int fd) = 0;                   // flock, exclusive, without waiting
    virtual void Pause() = 0;                        // a moment between tries of Lock
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Link(const std::string& from, const std::string& to) = 0;
    virtual bool Unlink(const std::string& path) = 0;
    // Makes the folder and those above it that are missing, 0700; true when it exists.
    virtual bool MakeFolders(const std::string& path) = 0;
    virtual bool ChangeOwner(int fd, uid_t owner, gid_t group) = 0;  // fchown
    virtual bool ChangeMode(int fd, mode_t mode) = 0;                // fchmod
    // The ACL and the permissions, and the extended attributes, of one file given to
    // another (libacl's perm_copy_fd, libattr's attr_copy_fd). Without a descriptor of
    // the source (-1) its path serves.
    virtual bool CopyAcl(const std::string& fromPath, int from, const std::string& toPath,
                         int to) = 0;
    virtual bool CopyAttributes(const std::string& fromPath, int from, const std::string& toPath,
                                int to) = 0;
    virtual uid_t User() = 0;  // the effective user
    // The folders, best first, for copies of old content when a file's own folder
    // cannot take one: the user's cache ($XDG_CACHE_HOME/chirpwell), then the
    // temporary folder ($TMPDIR or /tmp).
    virtual std::vector<std::string> CopyFolders() = 0;
};

// The system's own file calls, for the life of the program.
IFileSystem& SystemFileSystem();

#endif
