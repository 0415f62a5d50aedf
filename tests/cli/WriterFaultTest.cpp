// Every way of writing, with each of the writer's system calls failing in turn, as
// LevelDB's fault-injection tests and SQLite's I/O-error tests do. A run takes its
// way around the fault and ends with the new content, or ends with a message, the
// old content, or the copy of it that the message names; it leaves no temporary
// file, lock or descriptor behind, also when a signal comes at any call or another
// writer writes in between. One target goes through CFileWriter::Write, as the
// window saves; more go through COutput, as chirpwell-smile writes.

#include <algorithm>
#include <cstdio>
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
#include "engine/FileWriter.h"
#include "engine/WriteSignals.h"
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
    EKind m_eKind;
    std::string m_strPath;
    std::string m_strOld;
    std::string m_strNew;
    int m_nReader = -1;  // a pipe's
    struct stat m_before {};
    std::string m_strAcl;
    bool m_bNote = false;  // the extended attribute user.note is set
};

// The faults each kind of call gets in turn: a failure, and the one the writer has
// a way around, which must then end with the new content.
std::vector<std::pair<CFault, bool>> FaultsFor(ECall call, std::size_t number)
{
    int failure = EIO;
    int around = -1;
    switch (call) {
    case ECall::Open:
        failure = EACCES;
        break;
    case ECall::Write:
        failure = ENOSPC;
        around = 0;  // falls short
        break;
    case ECall::Reserve:
        failure = ENOSPC;
        around = EOPNOTSUPP;
        break;
    case ECall::Lock:
        failure = ENOLCK;
        around = EWOULDBLOCK;
        break;
    case ECall::Rename:
        around = EBUSY;
        break;
    case ECall::CopyAcl:
    case ECall::CopyAttributes:
        around = ENOTSUP;
        break;
    case ECall::ChangeOwner:
    case ECall::Link:
        around = EPERM;
        break;
    case ECall::Unlink:
        return {};  // never fails here
    default:
        break;
    }
    std::vector<std::pair<CFault, bool>> faults = {{{number, failure}, false}};
    if (around >= 0)
        faults.push_back({{number, around}, true});
    return faults;
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

    std::vector<CTarget> MakeTargets(const CScenario& scenario)
    {
        fs::remove_all(m_folder);
        fs::create_directory(m_folder);
        std::vector<CTarget> targets;
        for (EKind kind : scenario.m_targets) {
            const std::string name = "t" + std::to_string(targets.size());
            CTarget target{kind, (m_folder / name).string(), "<none>",
                           "new " + name + std::string(3000, '+'), -1, {}, "", false};
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
            targets.push_back(target);
        }
        return targets;
    }

    bool Run(const CScenario& scenario, const std::vector<CTarget>& targets,
             CFaultFileSystem& files, std::string& message)
    {
        files.m_copyFolders = {(m_folder / "cache").string()};
        files.m_nUser = scenario.m_bUser ? kNobody : ::geteuid();
        files.m_strClosedFolder = scenario.m_bClosedFolder ? m_folder.string() : "";
        files.m_bMountPoint = scenario.m_bMountPoint;
        if (targets.size() == 1) {
            CFileWriter writer(targets[0].m_strPath, files);
            std::error_code error;
            if (writer.Write(targets[0].m_strNew, error))
                return true;
            message = targets[0].m_strPath + ": " + error.message() + " " + writer.KeptCopy();
            return false;
        }
        COutput output(stdout, files);
        for (const CTarget& target : targets)
            output.Add(target.m_strPath, target.m_strNew);
        return output.Commit(message);
    }

    // What a run left: new content or old (or a copy of it the message names), the
    // metadata, no files of the writer's own, no lock, no descriptor.
    void Check(bool done, const std::string& message, std::vector<CTarget>& targets,
               bool metadataMayGo, int descriptors, const std::string& label)
    {
        SCOPED_TRACE(label + (done ? ": done" : ": failed: " + message));
        EXPECT_EQ(done, message.empty());
        std::vector<std::string> own;
        for (const fs::path& folder : {m_folder, m_folder / "cache"}) {
            if (!fs::exists(folder))
                continue;
            for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
                if (entry.path().filename().string().starts_with(".chirpwell-"))
                    own.push_back(entry.path().string());
            }
        }
        for (CTarget& target : targets) {
            if (target.m_eKind == EKind::Pipe) {
                ::close(std::stoi(target.m_strPath.substr(8)));
                std::string received(target.m_strNew.size() + 1, '\0');
                const ssize_t got = ::read(target.m_nReader, received.data(), received.size());
                ::close(target.m_nReader);
                if (done) {
                    EXPECT_EQ(received.substr(0, std::max<ssize_t>(got, 0)), target.m_strNew);
                }
                continue;
            }
            if (target.m_eKind == EKind::Full)
                continue;
            const std::string now = ReadAll(target.m_strPath);
            // Where putting the old content back failed, the message names its copy.
            const auto kept = std::find_if(own.begin(), own.end(), [&](const std::string& path) {
                return message.find(path) != std::string::npos;
            });
            if (done) {
                EXPECT_EQ(now, target.m_strNew);
            } else if (now != target.m_strOld) {
                ASSERT_NE(kept, own.end()) << target.m_strPath << " holds " << now.substr(0, 20);
                EXPECT_EQ(ReadAll(*kept), target.m_strOld);
            }
            if (kept != own.end())
                own.erase(kept);
            struct stat after {};
            if (!done || ::stat(target.m_strPath.c_str(), &after) != 0)
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
        for (const CTarget& target : targets) {
            const int fd = target.m_eKind == EKind::Pipe || target.m_eKind == EKind::Full
                               ? -1
                               : ::open(target.m_strPath.c_str(), O_RDONLY);
            if (fd >= 0) {
                EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0) << "still locked";
                ::close(fd);
            }
        }
        EXPECT_EQ(own, std::vector<std::string>()) << "left behind";
        EXPECT_EQ(OpenDescriptors(), descriptors);
    }

    fs::path m_folder;
    mode_t m_mask = 0;
};

TEST_F(WriterFaultTest, EveryCallFailingInTurnGivesNewOrKeepsOld)
{
    for (const CScenario& scenario : kScenarios) {
        std::vector<ECall> calls;
        bool cleanDone = false;
        {
            const int descriptors = OpenDescriptors();
            std::vector<CTarget> targets = MakeTargets(scenario);
            CFaultFileSystem files;
            std::string message;
            cleanDone = Run(scenario, targets, files, message);
            Check(cleanDone, message, targets, false, descriptors, scenario.m_szName);
            calls = files.m_calls;
        }
        EXPECT_EQ(cleanDone, scenario.m_targets.back() != EKind::Full) << scenario.m_szName;
        for (std::size_t number = 0; number < calls.size(); ++number) {
            for (const auto& [fault, around] : FaultsFor(calls[number], number)) {
                const int descriptors = OpenDescriptors();
                std::vector<CTarget> targets = MakeTargets(scenario);
                CFaultFileSystem files;
                files.m_faults = {fault};
                std::string message;
                const bool done = Run(scenario, targets, files, message);
                const std::string label = std::string(scenario.m_szName) + ", call " +
                                          std::to_string(number) + " errno " +
                                          std::to_string(fault.m_nError);
                const ECall call = calls[number];
                Check(done, message, targets, around && call != ECall::Write, descriptors, label);
                // Root's owner cannot be refused; a new file cannot be mounted on.
                const bool mustDo = around && cleanDone &&
                                    !(call == ECall::ChangeOwner && !scenario.m_bUser) &&
                                    !(call == ECall::Rename && scenario.m_targets[0] == EKind::New);
                if (mustDo) {
                    EXPECT_TRUE(done) << label << ": " << message;
                }
            }
        }
    }
}

// A second failure while the old content goes back leaves the copy, named.
TEST_F(WriterFaultTest, SecondFaultWhilePuttingBackKeepsTheCopyAndNamesIt)
{
    int kept = 0;
    for (const CScenario& scenario : {kScenarios[2], kScenarios[3], kScenarios[7]}) {
        CFaultFileSystem clean;
        std::string message;
        std::vector<CTarget> targets = MakeTargets(scenario);
        Run(scenario, targets, clean, message);
        for (std::size_t first = 0; first < clean.m_calls.size(); ++first) {
            if (clean.m_calls[first] != ECall::Write)
                continue;
            for (std::size_t second = first + 1; second < clean.m_calls.size() + 8; ++second) {
                const int descriptors = OpenDescriptors();
                targets = MakeTargets(scenario);
                CFaultFileSystem files;
                files.m_faults = {{first, ENOSPC}, {second, EIO}};
                message.clear();
                const bool done = Run(scenario, targets, files, message);
                kept += message.find(".chirpwell-old-") != std::string::npos;
                Check(done, message, targets, false, descriptors,
                      std::string(scenario.m_szName) + ", calls " + std::to_string(first) +
                          " and " + std::to_string(second));
            }
        }
    }
    EXPECT_GT(kept, 0);
}

// A signal at any call ends the program by it, with old or new content and nothing
// of the writer's own left; for this the run goes in a child process.
TEST_F(WriterFaultTest, SignalAtAnyCallEndsByItWithOldOrNew)
{
    const int signals[] = {SIGTERM, SIGINT, SIGHUP};
    for (const CScenario& scenario : kScenarios) {
        CFaultFileSystem clean;
        std::string message;
        std::vector<CTarget> targets = MakeTargets(scenario);
        Run(scenario, targets, clean, message);
        for (std::size_t number = 0; number < clean.m_calls.size(); ++number) {
            const int descriptors = OpenDescriptors();
            targets = MakeTargets(scenario);
            const int number3 = signals[number % 3];
            const pid_t child = ::fork();
            if (child == 0) {
                InstallWriteSignals();
                CFaultFileSystem files;
                files.m_faults = {{number, 0, number3}};
                std::string ignored;
                ::_exit(Run(scenario, targets, files, ignored) ? 0 : 1);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            const std::string label = std::string(scenario.m_szName) + ", signal at call " +
                                      std::to_string(number);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == number3) << label;
            for (CTarget& target : targets) {
                // What went into a pipe before the signal cannot come back.
                if (target.m_eKind == EKind::Pipe) {
                    ::close(std::stoi(target.m_strPath.substr(8)));
                    ::close(target.m_nReader);
                    target.m_eKind = EKind::Full;
                }
                if (target.m_eKind == EKind::Full)
                    continue;
                const std::string now = ReadAll(target.m_strPath);
                EXPECT_TRUE(now == target.m_strOld || now == target.m_strNew) << label;
                target.m_strNew = now;
            }
            Check(true, "", targets, true, descriptors, label);
        }
    }
}

// Another writer of the same file at any call: one whole content or the other.
TEST_F(WriterFaultTest, AnotherWriterInBetweenLeavesOneWholeContent)
{
    for (const CScenario& scenario : {kScenarios[0], kScenarios[2]}) {
        CFaultFileSystem clean;
        std::string message;
        std::vector<CTarget> targets = MakeTargets(scenario);
        Run(scenario, targets, clean, message);
        for (std::size_t number = 0; number < clean.m_calls.size(); ++number) {
            targets = MakeTargets(scenario);
            CFaultFileSystem files;
            CFaultFileSystem otherFiles;
            bool otherDone = false;
            files.m_beforeCall = [&](std::size_t call) {
                if (call != number)
                    return;
                std::error_code error;
                otherDone = CFileWriter(targets[0].m_strPath, otherFiles).Write("other", error);
            };
            message.clear();
            EXPECT_TRUE(Run(scenario, targets, files, message)) << message;
            const std::string now = ReadAll(targets[0].m_strPath);
            EXPECT_TRUE(now == targets[0].m_strNew || (otherDone && now == "other"))
                << scenario.m_szName << ", call " << number << ": " << now.substr(0, 20);
            // One in place waits its turn, 5 seconds at most, then gives way.
            if (!otherDone) {
                EXPECT_EQ(otherFiles.m_nPauses, 99);
            }
        }
    }
}

// The reproductions that no single fault above makes.
TEST_F(WriterFaultTest, ReproductionsOfFaultsFound)
{
    // A file system without fallocate that fills up halfway through a rewrite in
    // place: the old content comes back.
    {
        std::vector<CTarget> targets = MakeTargets(kScenarios[2]);
        CFaultFileSystem counting;
        std::string message;
        Run(kScenarios[2], targets, counting, message);
        const auto reserve = std::find(counting.m_calls.begin(), counting.m_calls.end(), ECall::Reserve);
        ASSERT_NE(reserve, counting.m_calls.end());
        const std::size_t write = std::find(reserve, counting.m_calls.end(), ECall::Write) -
                                  counting.m_calls.begin();
        const int descriptors = OpenDescriptors();
        targets = MakeTargets(kScenarios[2]);
        CFaultFileSystem files;
        files.m_faults = {{static_cast<std::size_t>(reserve - counting.m_calls.begin()), EOPNOTSUPP},
                          {write, 0},
                          {write + 1, ENOSPC}};
        message.clear();
        EXPECT_FALSE(Run(kScenarios[2], targets, files, message));
        EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
        Check(false, message, targets, false, descriptors, "no fallocate, disk full");
    }
    // The set-uid bit of an ordinary user's program is set after the data.
    {
        std::vector<CTarget> targets = MakeTargets(kScenarios[5]);
        CFaultFileSystem files;
        std::string message;
        ASSERT_TRUE(Run(kScenarios[5], targets, files, message));
        const auto& calls = files.m_calls;
        const auto last = [&calls](ECall call) {
            return calls.rend() - std::find(calls.rbegin(), calls.rend(), call);
        };
        EXPECT_GT(last(ECall::ChangeMode), last(ECall::Write));
    }
}

}  // namespace
