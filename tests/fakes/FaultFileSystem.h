#ifndef CHIRPWELL_TESTS_FAKES_FAULTFILESYSTEM_H
#define CHIRPWELL_TESTS_FAKES_FAULTFILESYSTEM_H

#include <cerrno>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/files/PosixFileSystem.h"

// The system's file calls with faults on demand, as LevelDB's fault-injection Env:
// every call is numbered, recorded and passed on to the system, but one a fault
// names fails with its errno, falls short (a write with errno 0), or raises a signal
// first. Syncs are counted, not made: the tests look at content, not at crashes.
// Removing a file never fails: it is how the writer cleans up, and what the system
// cannot remove stays whatever the writer does.
// The user, the folders for copies and mount points are the test's to say.
class CFaultFileSystem : public IFileSystem {
public:
    enum class ECall {
        Status, StatusOf, Access, Open, Close, Read, Write, Sync, Reserve, Truncate, Lock,
        Rename, Link, Unlink, MakeFolders, ChangeOwner, ChangeMode, CopyAcl, CopyAttributes,
    };
    struct CFault {
        std::size_t m_nCall;   // from 0, in the order of the calls
        int m_nError = 0;      // 0: the write falls short
        int m_nSignal = 0;     // raised before the call, which then goes on
        bool m_bStays = false; // later calls of that kind fail too
    };

    std::vector<CFault> m_faults;
    std::vector<ECall> m_calls;
    std::function<void(std::size_t)> m_beforeCall;
    uid_t m_nUser = ::geteuid();
    std::vector<std::string> m_copyFolders;
    std::string m_strClosedFolder;  // the user may not write in it
    bool m_bMountPoint = false;     // every regular file is mounted where it is
    int m_nPauses = 0;

    bool Status(const std::string& path, struct stat& status) override
    {
        return Pass(ECall::Status) && m_system.Status(path, status);
    }
    bool StatusOf(int fd, struct stat& status) override
    {
        return Pass(ECall::StatusOf) && m_system.StatusOf(fd, status);
    }
    bool Access(const std::string& path, int mode) override
    {
        if (!Pass(ECall::Access))
            return false;
        if ((mode & W_OK) != 0 && !m_strClosedFolder.empty() &&
            (path == m_strClosedFolder || path == m_strClosedFolder + "/")) {
            errno = EACCES;
            return false;
        }
        return m_system.Access(path, mode);
    }
    bool IsMountPoint(const std::string&) override { return m_bMountPoint; }
    bool Open(const std::string& path, int flags, mode_t mode, int& fd) override
    {
        return Pass(ECall::Open) && m_system.Open(path, flags, mode, fd);
    }
    bool Close(int fd) override
    {
        // A failed close still lets go of the descriptor, as on Linux.
        const bool passed = Pass(ECall::Close);
        const int reason = errno;
        return m_system.Close(fd) && (passed || (errno = reason, false));
    }
    bool Read(int fd, char* buffer, std::size_t size, off_t offset, std::size_t& done) override
    {
        return Pass(ECall::Read) && m_system.Read(fd, buffer, size, offset, done);
    }
    bool Write(int fd, const char* data, std::size_t size, off_t offset,
               std::size_t& done) override
    {
        bool falls = false;
        return Pass(ECall::Write, &falls) &&
               m_system.Write(fd, data, falls ? (size + 1) / 2 : size, offset, done);
    }
    bool Sync(int) override { return Pass(ECall::Sync); }
    bool Reserve(int fd, off_t size) override
    {
        return Pass(ECall::Reserve) && m_system.Reserve(fd, size);
    }
    bool Truncate(int fd, off_t size) override
    {
        return Pass(ECall::Truncate) && m_system.Truncate(fd, size);
    }
    bool Lock(int fd) override { return Pass(ECall::Lock) && m_system.Lock(fd); }
    void Pause() override { ++m_nPauses; }
    bool Rename(const std::string& from, const std::string& to) override
    {
        return Pass(ECall::Rename) && m_system.Rename(from, to);
    }
    bool Link(const std::string& from, const std::string& to) override
    {
        return Pass(ECall::Link) && m_system.Link(from, to);
    }
    bool Unlink(const std::string& path) override
    {
        Record(ECall::Unlink);
        return m_system.Unlink(path);
    }
    bool MakeFolders(const std::string& path) override
    {
        return Pass(ECall::MakeFolders) && m_system.MakeFolders(path);
    }
    bool ChangeOwner(int fd, uid_t owner, gid_t group) override
    {
        return Pass(ECall::ChangeOwner) && m_system.ChangeOwner(fd, owner, group);
    }
    bool ChangeMode(int fd, mode_t mode) override
    {
        return Pass(ECall::ChangeMode) && m_system.ChangeMode(fd, mode);
    }
    bool CopyAcl(const std::string& fromPath, int from, const std::string& toPath,
                 int to) override
    {
        return Pass(ECall::CopyAcl) && m_system.CopyAcl(fromPath, from, toPath, to);
    }
    bool CopyAttributes(const std::string& fromPath, int from, const std::string& toPath,
                        int to) override
    {
        return Pass(ECall::CopyAttributes) && m_system.CopyAttributes(fromPath, from, toPath, to);
    }
    uid_t User() override { return m_nUser; }
    std::vector<std::string> CopyFolders() override { return m_copyFolders; }

private:
    // Records the call and raises the signal a fault brings at it.
    std::size_t Record(ECall call)
    {
        const std::size_t number = m_calls.size();
        m_calls.push_back(call);
        if (m_beforeCall)
            m_beforeCall(number);
        for (const CFault& fault : m_faults) {
            if (fault.m_nCall == number && fault.m_nSignal != 0)
                std::raise(fault.m_nSignal);
        }
        return number;
    }
    // Records the call; false with errno when a fault fails it.
    bool Pass(ECall call, bool* fallsShort = nullptr)
    {
        const std::size_t number = Record(call);
        for (const CFault& fault : m_faults) {
            if (fault.m_nSignal != 0 ||
                (fault.m_nCall != number &&
                 !(fault.m_bStays && number > fault.m_nCall && call == m_calls[fault.m_nCall])))
                continue;
            if (fault.m_nError == 0 && fallsShort) {
                *fallsShort = true;
            } else if (fault.m_nError != 0) {
                errno = fault.m_nError;
                return false;
            }
        }
        return true;
    }

    CPosixFileSystem m_system;
};

#endif
