#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/document/DocTest.h"

namespace {

using SaveAsTest = CDocTest;

TEST_F(SaveAsTest, WritesTheTextByteForByteAndTakesTheNewPath)
{
    CChirpwellDoc& document = MakeReadyDocument();
    const std::string opened = m_folder.Write("a.txt", "a.");
    ASSERT_TRUE(document.OpenDocumentFile(opened));
    const std::string bytes = Hex("82a0 0d0a 0a 0d ff 80 b1 8142 82");
    m_view.m_strText = bytes;
    document.SetModifiedFlag(true);
    const std::string target = m_folder.PathOf("saved.txt");
    m_prompter.m_saveAnswers.push_back(target);

    document.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(target), bytes);
    EXPECT_EQ(document.GetPathName(), target);
    EXPECT_EQ(m_frame.m_pathNames, (std::vector<std::string>{opened, target}));
    EXPECT_EQ(m_frame.m_recentFiles, (std::vector<std::string>{opened, target}));
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(m_prompter.m_messages.empty());

    // The dialog starts at the current file, under the title 名前を付けて保存.
    ASSERT_EQ(m_prompter.m_saveDialogs.size(), 1u);
    EXPECT_EQ(m_prompter.m_saveDialogs[0].m_strTitle, Hex("96bc914f82f0957482af82c495db91b6"));
    EXPECT_EQ(m_prompter.m_saveDialogs[0].m_strInitialPath, opened);
    ASSERT_EQ(m_prompter.m_saveDialogs[0].m_filters.size(), 1u);
    EXPECT_EQ(m_prompter.m_saveDialogs[0].m_filters[0].m_strName,
              Hex("82b782d782c482cccca7b2d920282a2e2a29"));

    // Reload now reads the saved, already smiled text and smiles it once more.
    m_view.m_strText = "x!.";
    m_prompter.m_saveAnswers.push_back(target);
    document.OnFileSaveAs();
    document.OnReload();
    EXPECT_EQ(m_view.m_strText, "x!!.");
}

TEST_F(SaveAsTest, ReplacesAnExistingFileWhole)
{
    CChirpwellDoc& document = MakeDocument();
    const std::string target = m_folder.Write("old.txt", std::string(100, 'o'));
    m_view.m_strText = "new";
    m_prompter.m_saveAnswers.push_back(target);
    document.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(target), "new");
    m_view.m_strText = "";
    m_prompter.m_saveAnswers.push_back(target);
    document.OnFileSaveAs();
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_EQ(ReadBytes(target), "");
}

TEST_F(SaveAsTest, FailedWriteLeavesTheOldFileAndReports)
{
    CChirpwellDoc& document = MakeDocument();
    // Files may grow to 4 bytes only, so writing the new text fails halfway, before
    // the old file could be touched.
    const std::string target = m_folder.Write("old.txt", "old contents");
    m_view.m_strText = "new contents";
    document.SetModifiedFlag(true);
    m_prompter.m_saveAnswers.push_back(target);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    document.OnFileSaveAs();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ReadBytes(target), "old contents");
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    // "%1 に保存できません。\n%2", the reason in the system's words.
    const std::string head = target + Hex("2082c995db91b682c582ab82dc82b982f18142 0a");
    EXPECT_EQ(m_prompter.m_messages[0].substr(0, head.size()), head);
    EXPECT_GT(m_prompter.m_messages[0].size(), head.size());
    EXPECT_TRUE(document.GetPathName().empty());
    EXPECT_TRUE(m_frame.m_recentFiles.empty());
    EXPECT_TRUE(document.IsModified());
    // No temporary file is left behind.
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

// The temporary file has a short name of its own, so a name near the file system's
// longest still saves.
TEST_F(SaveAsTest, NameOfTwoHundredFiftyBytesSaves)
{
    CChirpwellDoc& document = MakeDocument();
    const std::string target = m_folder.Write(std::string(250, 'n'), "old");
    m_view.m_strText = "new";
    m_prompter.m_saveAnswers.push_back(target);
    document.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

TEST_F(SaveAsTest, MissingFolderIsReportedAsNotFound)
{
    CChirpwellDoc& document = MakeDocument();
    const std::string target = m_folder.PathOf("no/such.txt");
    m_prompter.m_saveAnswers.push_back(target);
    document.OnFileSaveAs();
    EXPECT_EQ(m_prompter.m_messages,
              std::vector<std::string>{target + Hex("2082c995db91b682c582ab82dc82b982f18142 0a") +
                                       Hex("cca7b2d982aa8ca982c282a982e882dc82b982f18142")});
    EXPECT_FALSE(std::filesystem::exists(target));
}

// A link became a file and the old file's permissions were lost.
TEST_F(SaveAsTest, LinksAndPermissionsSurvive)
{
    namespace fs = std::filesystem;
    CChirpwellDoc& document = MakeDocument();
    const std::string target = m_folder.Write("target.txt", "old");
    const std::string second = m_folder.PathOf("second.txt");
    fs::create_hard_link(target, second);
    const std::string link = m_folder.PathOf("link.txt");
    fs::create_symlink("target.txt", link);
    m_view.m_strText = "via link";
    m_prompter.m_saveAnswers.push_back(link);
    document.OnFileSaveAs();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "via link");
    EXPECT_EQ(ReadBytes(second), "via link");
    EXPECT_EQ(document.GetPathName(), link);

    const std::string dangling = m_folder.PathOf("dangling.txt");
    fs::create_symlink("made.txt", dangling);
    m_prompter.m_saveAnswers.push_back(dangling);
    document.OnFileSaveAs();
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("made.txt")), "via link");

    // Root may write anything, and keeps the owner and group too.
    const bool root = ::geteuid() == 0;
    const std::string single = m_folder.Write("single.txt", "old");
    if (root) {
        ASSERT_EQ(::chown(single.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(single.c_str(), 0604), 0);
    m_view.m_strText = "kept";
    m_prompter.m_saveAnswers.push_back(single);
    document.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(single), "kept");
    struct stat status;
    ASSERT_EQ(::stat(single.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
    if (root) {
        EXPECT_EQ(status.st_uid, 65534u);
        EXPECT_EQ(status.st_gid, 65534u);
    }
    EXPECT_TRUE(m_prompter.m_messages.empty());

    ASSERT_EQ(::chmod(single.c_str(), 0444), 0);
    m_view.m_strText = "read-only";
    m_prompter.m_saveAnswers.push_back(single);
    document.OnFileSaveAs();
    EXPECT_EQ(ReadBytes(single), root ? "read-only" : "kept");
    EXPECT_EQ(m_prompter.m_messages.size(), root ? 0u : 1u);
}

// As root, saving to /dev/null replaced it with a file: a device of the same kind
// stands in for it here.
TEST_F(SaveAsTest, DeviceIsWrittenNotReplaced)
{
    const std::string device = m_folder.PathOf("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
        GTEST_SKIP() << "making a device needs root";
    const int fd = ::open(device.c_str(), O_WRONLY);
    if (fd < 0)
        GTEST_SKIP() << "the temporary folder allows no devices";
    ::close(fd);
    CChirpwellDoc& document = MakeDocument();
    m_view.m_strText = "into the device";
    m_prompter.m_saveAnswers.push_back(device);
    document.OnFileSaveAs();
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_EQ(document.GetPathName(), device);
    struct stat status;
    ASSERT_EQ(::lstat(device.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    EXPECT_EQ(status.st_rdev, ::makedev(1, 3));
}

}  // namespace
