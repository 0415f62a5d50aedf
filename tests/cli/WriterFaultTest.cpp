// Every way of writing, with what can go wrong coming at each of the writer's system
// calls in turn, as LevelDB's fault-injection tests and SQLite's I/O-error tests do:
// a failure, the fault the writer has a way around, a short write, a second failure
// while old content goes back, a signal, another writer of the same file. A run
// takes its way around and ends with the new content, or ends with a message and
// the old content (or the copy of it that the message names); it leaves no file of
// the writer's own, no lock and no descriptor. One target goes through
// CFileWriter::Write, as the window saves; more go through COutput, as
// chirpwell-smile writes; and every scenario once more in parts, as --stream writes.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cli/Output.h"
#include "engine/files/FileWriter.h"
#include "engine/files/WriteSignals.h"
#include "tests/fakes/FaultFileSystem.h"

namespace {

namespace fs = std::filesystem;
using ECall = CFaultFileSystem::ECall;
using CFault = CFaultFileSystem::CFault;

constexpr uid_t kNobody = 65534;

// What a target is before the run: none yet, a file alone, a file with a second
// link, an ordinary user's set-uid program, a pipe named /dev/fd/N, /dev/full.
enum class EKind { New, Single, Linked, SetId, Pipe, Full };

struct CScenario {
    const char* m_szName;
    std::vector<EKind> m_targets;
    bool m_bUser = false;          // an ordinary user writes
    bool m_bClosedFolder = false;  // one who may not write in the folder
    bool m_bMountPoint = false;    // the files are mounted where they are
};

const CScenario kScenarios[] = {
    {"replaced", {EKind::Single}},
    {"new", {EKind::New}},
    {"in place", {EKind::Linked}},
    {"in place, copy in the cache", {EKind::Linked}, false, true},
    {"mount point", {EKind::Single}, false, false, true},
    {"ordinary user's set-uid file", {EKind::SetId}, true},
    {"pipe", {EKind::Pipe}},
    {"places in place, result replaced", {EKind::Linked, EKind::Single}},
    {"two replaced", {EKind::Single, EKind::Single}},
    {"file and pipe", {EKind::Linked, EKind::Pipe}},
    {"file and full device", {EKind::Linked, EKind::Full}},
};

struct CTarget {
    EKind m_eKind = EKind::New;
    std::string m_strPath;
    std::string m_strOld = "<none>";
    std::string m_strNew;
    int m_nReader = -1;  // a pipe's
    struct stat m_before {};
    std::string m_strAcl;
    bool m_bNote = false;  // the extended attribute user.note is set
};

// For each kind of call: the failure it gets, and the fault the writer has a way
// around (0: the write falls short), or -1.
std::pair<int, int> FaultsFor(ECall call)
{
    switch (call) {
    case ECall::Open:
        return {EACCES, -1};
    case ECall::Write:
        return {ENOSPC, 0};
    case ECall::Reserve:
        return {ENOSPC, EOPNOTSUPP};
    case ECall::Lock:
        return {ENOLCK, EWOULDBLOCK};
    case ECall::Rename:
        return {EIO, EBUSY};
    case ECall::CopyAcl:
    case ECall::CopyAttributes:
        return {EIO, ENOTSUP};
    case ECall::ChangeOwner:
    case ECall::Link:
        return {EIO, EPERM};
    default:
        return {EIO, -1};
    }
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return in ? content.str() : std::string("<none>");
}

std::string AclOf(const std::string& path)
{
    acl_t acl = acl_get_file(path.c_str(), ACL_TYPE_ACCESS);
    char* text = acl ? acl_to_text(acl, nullptr) : nullptr;
    const std::string result = text ? text : "";
    acl_free(text);
    acl_free(acl);
    return result;
}

int OpenDescriptors()
{
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"),
                                          fs::directory_iterator()));
}

class WriterFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "chirpwell-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_mask = ::umask(022);
    }
    void TearDown() override
    {
        ::umask(m_mask);
        fs::remove_all(m_folder);
    }

    void MakeTargets(const CScenario& scenario)
    {
        fs::remove_all(m_folder);
        fs::create_directory(m_folder);
        m_targets.clear();
        for (EKind kind : scenario.m_targets) {
            const std::string name = "t" + std::to_string(m_targets.size());
            CTarget target;
            target.m_eKind = kind;
            target.m_strPath = (m_folder / name).string();
            target.m_strNew = "new " + name + std::string(3000, '+');
            if (kind == EKind::Full)
                target.m_strPath = "/dev/full";
            if (kind == EKind::Pipe) {
                int ends[2];
                EXPECT_EQ(::pipe(ends), 0);
                target.m_nReader = ends[0];
                target.m_strPath = "/dev/fd/" + std::to_string(ends[1]);
            }
            if (kind == EKind::Single || kind == EKind::Linked || kind == EKind::SetId) {
                // More than one block of the copy aside.
                target.m_strOld = "old " + name + std::string(70000, '-');
                std::ofstream(target.m_strPath, std::ios::binary) << target.m_strOld;
            }
            if (kind == EKind::Linked)
                fs::create_hard_link(target.m_strPath, target.m_strPath + "-link");
            if (kind == EKind::SetId) {
                EXPECT_EQ(::chown(target.m_strPath.c_str(), kNobody, kNobody), 0);
                EXPECT_EQ(::chmod(target.m_strPath.c_str(), 04755), 0);
            }
            if (kind == EKind::Single) {
                ::chmod(target.m_strPath.c_str(), 0640);
                if (::geteuid() == 0) {
                    EXPECT_EQ(::chown(target.m_strPath.c_str(), kNobody, kNobody), 0);
                }
                // Where the file system holds them, an ACL entry and an attribute.
                if (acl_t acl = acl_from_text("u::rw-,u:65534:rw-,g::r--,m::rw-,o::---")) {
                    acl_set_file(target.m_strPath.c_str(), ACL_TYPE_ACCESS, acl);
                    acl_free(acl);
                }
                target.m_bNote = ::setxattr(target.m_strPath.c_str(), "user.note", "kept", 4, 0) == 0;
                target.m_strAcl = AclOf(target.m_strPath);
            }
            ::stat(target.m_strPath.c_str(), &target.m_before);
            m_targets.push_back(target);
        }
    }

    bool Run(const CScenario& scenario, CFaultFileSystem& files, std::string& message)
    {
        files.m_copyFolders = {(m_folder / "cache").string()};
        files.m_nUser = scenario.m_bUser ? kNobody : ::geteuid();
        files.m_strClosedFolder = scenario.m_bClosedFolder ? m_folder.string() : "";
        files.m_bMountPoint = scenario.m_bMountPoint;
        if (m_bStream)
            return RunStream(files, message);
        if (m_targets.size() == 1) {
            CFileWriter writer(m_targets[0].m_strPath, files);
            std::error_code error;
            if (writer.Write(m_targets[0].m_strNew, error))
                return true;
            message = m_targets[0].m_strPath + ": " + error.message() + " " + writer.KeptCopy();
            return false;
        }
        COutput output(stdout, files);
        for (const CTarget& target : m_targets)
            output.Add(target.m_strPath, target.m_strNew);
        return output.Commit(message);
    }

    // As chirpwell-smile --stream writes: every target opened, the content appended
    // in parts, then the files put in place.
    bool RunStream(CFaultFileSystem& files, std::string& message)
    {
        CWriteSession session;
        COutput output(stdout, files);
        for (const CTarget& target : m_targets)
            output.Add(target.m_strPath);
        if (!output.Open(message))
            return false;
        for (std::size_t at = 0; at < 3000; at += 1000) {
            for (std::size_t k = 0; k < m_targets.size(); ++k) {
                if (!output.Append(k, std::string_view(m_targets[k].m_strNew).substr(at, 1000),
                                   message))
                    return false;
            }
        }
        for (std::size_t k = 0; k < m_targets.size(); ++k) {
            if (!output.Append(k, std::string_view(m_targets[k].m_strNew).substr(3000), message))
                return false;
        }
        return output.Commit(message);
    }

    // Runs the scenario with the faults and checks what it left: the new content or
    // the old (or a copy of it the message names), the metadata unless a way around
    // a fault may have let it go, no files of the writer's own, no lock, no
    // descriptor. With a signal the run goes in a child process, which must end by
    // it. Gives the run's calls.
    std::vector<ECall> RunAndCheck(const CScenario& scenario, const std::vector<CFault>& faults,
                                   const std::string& label, bool metadataMayGo = false,
                                   bool* done = nullptr)
    {
        SCOPED_TRACE(std::string(scenario.m_szName) + ", " + label);
        const int descriptors = OpenDescriptors();
        MakeTargets(scenario);
        CFaultFileSystem files;
        files.m_faults = faults;
        files.m_beforeCall = m_beforeCall;
        std::string message;
        bool ok = false;
        const int signal = faults.empty() ? 0 : faults[0].m_nSignal;
        if (signal != 0) {
            const pid_t child = ::fork();
            if (child == 0) {
                InstallWriteSignals();
                ::_exit(Run(scenario, files, message) ? 0 : 1);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
            metadataMayGo = true;
        } else {
            ok = Run(scenario, files, message);
            EXPECT_EQ(ok, message.empty());
        }
        if (done)
            *done = ok;
        std::vector<std::string> own;
        for (const fs::path& folder : {m_folder, m_folder / "cache"}) {
            for (const fs::directory_entry& entry : fs::directory_iterator(folder, fs::directory_options::skip_permission_denied, m_ignored)) {
                if (entry.path().filename().string().starts_with(".chirpwell-"))
                    own.push_back(entry.path().string());
            }
        }
        for (CTarget& target : m_targets) {
            if (target.m_eKind == EKind::Pipe) {
                ::close(std::stoi(target.m_strPath.substr(8)));
                std::string received(target.m_strNew.size() + 1, '\0');
                received.resize(std::max<ssize_t>(
                    ::read(target.m_nReader, received.data(), received.size()), 0));
                ::close(target.m_nReader);
                if (ok) {
                    EXPECT_EQ(received, target.m_strNew);
                }
            }
            if (target.m_eKind == EKind::Pipe || target.m_eKind == EKind::Full)
                continue;
            const std::string now = ReadAll(target.m_strPath);
            const auto kept = std::find_if(own.begin(), own.end(), [&](const std::string& path) {
                return message.find(path) != std::string::npos;
            });
            if (ok || (signal != 0 && now == target.m_strNew)) {
                EXPECT_TRUE(now == target.m_strNew || now == m_strOther) << now.substr(0, 20);
            } else if (now != target.m_strOld) {
                EXPECT_NE(kept, own.end()) << target.m_strPath << " holds " << now.substr(0, 20);
                EXPECT_EQ(kept == own.end() ? now : ReadAll(*kept), target.m_strOld);
            }
            if (kept != own.end()) {
                own.erase(kept);
                ++m_nKeptCopies;
            }
            const int fd = ::open(target.m_strPath.c_str(), O_RDONLY);
            if (fd >= 0) {
                EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0) << "still locked";
                ::close(fd);
            }
            struct stat after {};
            if (!ok || ::stat(target.m_strPath.c_str(), &after) != 0)
                continue;
            if (target.m_eKind == EKind::New) {
                EXPECT_EQ(after.st_mode & 07777, 0644u);
            }
            if (target.m_eKind == EKind::SetId) {
                EXPECT_EQ(after.st_mode & 07777, 04755u);
            }
            if (target.m_eKind == EKind::Single && !metadataMayGo) {
                EXPECT_EQ(after.st_mode, target.m_before.st_mode);
                EXPECT_EQ(after.st_uid, target.m_before.st_uid);
                EXPECT_EQ(after.st_gid, target.m_before.st_gid);
                EXPECT_EQ(AclOf(target.m_strPath), target.m_strAcl);
                char note[8] = {};
                if (target.m_bNote) {
                    EXPECT_EQ(::getxattr(target.m_strPath.c_str(), "user.note", note, 8), 4);
                }
            }
        }
        EXPECT_EQ(own, std::vector<std::string>()) << "left behind";
        EXPECT_EQ(OpenDescriptors(), descriptors);
        return files.m_calls;
    }

    fs::path m_folder;
    std::error_code m_ignored;
    std::vector<CTarget> m_targets;
    std::function<void(std::size_t)> m_beforeCall;
    const std::string m_strOther = "other content";
    int m_nKeptCopies = 0;  // runs that named a copy of old content they kept
    bool m_bStream = false;  // written in parts, as --stream writes
    mode_t m_mask = 0;
};

TEST_F(WriterFaultTest, WhateverComesAtAnyCallGivesNewOrKeepsOld)
{
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (const CScenario& scenario : kScenarios) {
        bool cleanDone = false;
        const std::vector<ECall> calls = RunAndCheck(scenario, {}, "clean", false, &cleanDone);
        EXPECT_EQ(cleanDone, scenario.m_targets.back() != EKind::Full) << scenario.m_szName;
        const bool inPlace = scenario.m_targets[0] == EKind::Linked;
        const bool alone = scenario.m_targets.size() == 1;
        for (std::size_t number = 0; number < calls.size(); ++number) {
            const std::string at = "call " + std::to_string(number) + " ";
            const auto [failure, around] = FaultsFor(calls[number]);
            // Removing is how the writer cleans up, and does not fail here.
            if (calls[number] != ECall::Unlink)
                RunAndCheck(scenario, {{number, failure}}, at + std::strerror(failure));
            if (around >= 0) {
                bool done = false;
                RunAndCheck(scenario, {{number, around}}, at + "around " + std::to_string(around),
                            calls[number] != ECall::Write, &done);
                // Root's owner cannot be refused; nothing is mounted on a new file.
                if (cleanDone && !(calls[number] == ECall::ChangeOwner && !scenario.m_bUser) &&
                    !(calls[number] == ECall::Rename && scenario.m_targets[0] == EKind::New)) {
                    EXPECT_TRUE(done) << scenario.m_szName << ", " << at;
                }
            }
            RunAndCheck(scenario, {{number, 0, signals[number % 3]}}, at + "signal");
            // A second failure while the old content goes back.
            for (std::size_t second = number + 1;
                 inPlace && calls[number] == ECall::Write && second < calls.size() + 8; ++second)
                RunAndCheck(scenario, {{number, ENOSPC}, {second, EIO}}, at + "then " + std::to_string(second));
            // Without fallocate, a disk that fills up halfway through the rewrite.
            if (inPlace && alone && calls[number] == ECall::Reserve) {
                bool done = true;
                RunAndCheck(scenario, {{number, EOPNOTSUPP}, {number + 1, 0}, {number + 2, ENOSPC}},
                            at + "no room", false, &done);
                EXPECT_FALSE(done);
            }
            // Another writer of the file, at this call: one whole content or the other.
            if (alone && (scenario.m_targets[0] == EKind::Single || inPlace)) {
                CFaultFileSystem otherFiles;
                m_beforeCall = [&](std::size_t call) {
                    std::error_code error;
                    if (call == number)
                        CFileWriter(m_targets[0].m_strPath, otherFiles).Write(m_strOther, error);
                };
                RunAndCheck(scenario, {}, at + "another writer");
                m_beforeCall = nullptr;
                // One in place waits its turn, 5 seconds at most, then gives way.
                EXPECT_TRUE(otherFiles.m_nPauses == 0 || otherFiles.m_nPauses == 99);
            }
        }
        // An ordinary user's set-uid bit is set after the data, which takes it away.
        if (scenario.m_bUser) {
            const auto last = [&calls](ECall call) {
                return calls.rend() - std::find(calls.rbegin(), calls.rend(), call);
            };
            EXPECT_GT(last(ECall::ChangeMode), last(ECall::Write));
        }
    }
    EXPECT_GT(m_nKeptCopies, 0);
}

// Written in parts, every target is a temporary file or a stream, and one that would
// be rewritten in place is refused before anything is written.
TEST_F(WriterFaultTest, StreamedContentGivesNewOrKeepsOldAtAnyCall)
{
    m_bStream = true;
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (const CScenario& scenario : kScenarios) {
        bool cleanDone = false;
        const std::vector<ECall> calls = RunAndCheck(scenario, {}, "clean", false, &cleanDone);
        const bool inPlace = scenario.m_targets[0] == EKind::Linked || scenario.m_bClosedFolder ||
                             scenario.m_bMountPoint;
        EXPECT_EQ(cleanDone, !inPlace && scenario.m_targets.back() != EKind::Full)
            << scenario.m_szName;
        for (std::size_t number = 0; number < calls.size(); ++number) {
            const std::string at = "call " + std::to_string(number) + " ";
            const int failure = FaultsFor(calls[number]).first;
            if (calls[number] != ECall::Unlink)
                RunAndCheck(scenario, {{number, failure}}, at + std::strerror(failure));
            RunAndCheck(scenario, {{number, 0, signals[number % 3]}}, at + "signal");
        }
    }
}

}  // namespace
