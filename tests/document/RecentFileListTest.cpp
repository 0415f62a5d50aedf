#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/RecentFileList.h"
#include "tests/document/DocTest.h"
#include "tests/fakes/FakeProfile.h"

namespace {

const std::string kHome = "/home/anna";

TEST(RecentFileListTest, NineFilesKeepTheEightNewestFirst)
{
    CRecentFileList list;
    for (int i = 1; i <= 9; ++i)
        list.Add("/f" + std::to_string(i));
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/f9", "/f8", "/f7", "/f6", "/f5",
                                                        "/f4", "/f3", "/f2"}));
}

TEST(RecentFileListTest, AddingAgainMovesToTheTop)
{
    CRecentFileList list;
    list.Add("/a");
    list.Add("/b");
    list.Add("/c");
    list.Add("/a");
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a", "/c", "/b"}));
    list.Remove(1);
    list.Remove(5);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a", "/b"}));
}

TEST(RecentFileListTest, SurvivesARestartThroughTheProfile)
{
    CFakeProfile profile;
    CRecentFileList list;
    for (int i = 1; i <= 9; ++i)
        list.Add("/f" + std::to_string(i));
    list.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", ""), "/f9");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File8", ""), "/f2");
    EXPECT_FALSE(profile.Has("Recent File List", "File9"));

    CRecentFileList restarted;
    restarted.Load(profile);
    EXPECT_EQ(restarted.Entries(), list.Entries());

    // A shorter list empties the slots behind it.
    CRecentFileList shorter;
    shorter.Add("/new");
    shorter.Save(profile);
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", "?"), "/new");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File2", "?"), "");
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File8", "?"), "");
}

TEST(RecentFileListTest, LoadSkipsEmptyAndRepeatedEntries)
{
    CFakeProfile profile;
    profile.WriteProfileString("Recent File List", "File1", "/a");
    profile.WriteProfileString("Recent File List", "File2", "");
    profile.WriteProfileString("Recent File List", "File3", "/b");
    profile.WriteProfileString("Recent File List", "File4", "/a");
    profile.WriteProfileInt("Recent File List", "File5", 7);
    profile.WriteProfileString("Recent File List", "File9", "/beyond");
    CRecentFileList list;
    list.Add("/stale");
    list.Load(profile);
    EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a", "/b"}));
}

TEST(AbbreviatePathTest, HomeBecomesTilde)
{
    EXPECT_EQ(AbbreviatePath("/home/anna/notes/a.txt", kHome), "~/notes/a.txt");
    EXPECT_EQ(AbbreviatePath("/home/annabel/a.txt", kHome), "/home/annabel/a.txt");
    EXPECT_EQ(AbbreviatePath("/home/anna", kHome), "/home/anna");
    EXPECT_EQ(AbbreviatePath("/srv/a.txt", ""), "/srv/a.txt");
}

TEST(AbbreviatePathTest, LongPathKeepsFirstFolderAndAsManyLastOnesAsFit)
{
    EXPECT_EQ(AbbreviatePath("/usr/share/doc/chirpwell/examples/long/sample.txt", kHome),
              "/usr/.../long/sample.txt");
    EXPECT_EQ(AbbreviatePath("/home/anna/projects/chirpwell/tests/data/input.txt", kHome),
              "~/.../tests/data/input.txt");
    const std::string thirty = "/abc/defghijklm/nopqrstuvw.txt";
    ASSERT_EQ(thirty.size(), 30u);
    EXPECT_EQ(AbbreviatePath(thirty, kHome), thirty);
}

TEST(AbbreviatePathTest, TooLongNameStandsAlone)
{
    EXPECT_EQ(AbbreviatePath("/tmp/a-very-long-file-name-for-the-menu.txt", kHome),
              "a-very-long-file-name-for-the-menu.txt");
    EXPECT_EQ(AbbreviatePath("/a-very-long-file-name-that-goes-on.txt", kHome),
              "a-very-long-file-name-that-goes-on.txt");
}

TEST(AbbreviatePathTest, CountsCharactersNotBytes)
{
    // 21 characters, 49 bytes of UTF-8.
    const std::string path = "/home/anna/文書/日本語のファイル名です.txt";
    EXPECT_EQ(AbbreviatePath(path, kHome), "~/文書/日本語のファイル名です.txt");
}

TEST(RecentFileMenuTextTest, NumbersEntriesAndDoublesAmpersands)
{
    EXPECT_EQ(RecentFileMenuText(0, "/tmp/R&D/a&b.txt", kHome), "&1 /tmp/R&&D/a&&b.txt");
    EXPECT_EQ(RecentFileMenuText(7, "/home/anna/x", kHome), "&8 ~/x");
}

TEST(RecentFilePromptTest, EachEntryHasItsOwnPrompt)
{
    const std::vector<std::string> prompts{
        Hex("8e7792e882cccca7b2d982f08a4a82ad"),
        Hex("8e7792e882cccca7b2d982f08a4a82ab82dc82b7"),
        Hex("8e7792e882cccca7b2d982f08a4a82ad82cc82be"),
        Hex("8e7792e882cccca7b2d982f08a4a82a282bf82e182a4"),
        Hex("8e7792e882cccca7b2d982f08a4a82ad82e6"),
        Hex("8e7792e882cccca7b2d982f08a4a82a282c482a082b082e682a4"),
        Hex("8e7792e882cccca7b2d982f08a4a82b182a482a982c8"),
        Hex("8e7792e882cccca7b2d982f08a4a82ad82ba"),
    };
    for (std::size_t i = 0; i < prompts.size(); ++i)
        EXPECT_EQ(RecentFilePrompt(i), prompts[i]) << i;
}

}  // namespace
