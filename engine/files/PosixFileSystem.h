#ifndef CHIRPWELL_ENGINE_FILES_POSIXFILESYSTEM_H
#define CHIRPWELL_ENGINE_FILES_POSIXFILESYSTEM_H

#include "engine/files/IFileSystem.h"

// The file calls of Linux, ACLs through libacl and extended attributes through
// libattr. Holds nothing; SystemFileSystem() gives the one the programs use.
class CPosixFileSystem : public IFileSystem {
public:
    bool Status(const std::string& path, struct stat& status) override;
    bool StatusOf(int fd, struct stat& status) override;
    bool Access(const std::string& path, int mode) override;
    bool IsMountPoint(const std::string& path) override;
    bool Open(const std::string& path, int flags, mode_t mode, int& fd) override;
    bool Close(int fd) override;
    bool Read(int fd, char* buffer, std::size_t size, off_t offset, std::size_t& done) override;
    bool Write(int fd, const char* data, std::size_t size, off_t offset,
               std::size_t& done) override;
    bool Sync(int fd) override;
    bool Reserve(int fd, off_t size) override;
    bool Truncate(int fd, off_t size) override;
    bool Lock(int fd) override;
    void Pause() override;  // 50 ms
    bool Rename(const std::string& from, const std::string& to) override;
    bool Link(const std::string& from, const std::string& to) override;
    bool Unlink(const std::string& path) override;
    bool MakeFolders(const std::string& path) override;
    bool ChangeOwner(int fd, uid_t owner, gid_t group) override;
    bool ChangeMode(int fd, mode_t mode) override;
    bool CopyAcl(const std::string& fromPath, int from, const std::string& toPath,
                 int to) override;
    bool CopyAttributes(const std::string& fromPath, int from, const std::string& toPath,
                        int to) override;
    uid_t User() override;
    std::vector<std::string> CopyFolders() override;
};

#endif
