#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/document/DocTest.h"

namespace {

using DocConstructionTest = CDocTest;

TEST_F(DocConstructionTest, OnlyValuesOtherThanNoSetAreTriedAsDirectory)
{
    MakeDocument();  // absent
    m_profile.WriteProfileString("Settings", "CurrentDirectory", "noSet");
    MakeDocument();
    EXPECT_TRUE(m_workingDirectory.m_paths.empty());
    // The comparison is case-sensitive.
    m_profile.WriteProfileString("Settings", "CurrentDirectory", "NOSET");
    MakeDocument();
    EXPECT_EQ(m_workingDirectory.m_paths, std::vector<std::string>{"NOSET"});
}

TEST_F(DocConstructionTest, DirectoryThatCannotBeEnteredIsPassedOverSilently)
{
    m_profile.WriteProfileString("Settings", "CurrentDirectory", "/no/such/folder");
    m_workingDirectory.m_bAnswer = false;
    CChirpwellDoc& document = MakeDocument();
    EXPECT_EQ(m_workingDirectory.m_paths, std::vector<std::string>{"/no/such/folder"});
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_EQ(document.Converter().Name(), expected::kBuiltInName);
}

TEST_F(DocConstructionTest, DirectoryIsEnteredBeforeTheSmileFileIsLoaded)
{
    // The smile file only exists once the directory has been entered, as a relative
    // path would only resolve then.
    const std::string path = m_folder.PathOf("late.grn");
    m_profile.WriteProfileString("Settings", "CurrentDirectory", "somewhere");
    m_profile.WriteProfileString("Settings", "modeFilePath", path);
    m_workingDirectory.m_onSet = [&](const std::string&) {
        m_folder.Write("late.grn", "n " + expected::kSampleName + "\n");
    };
    CChirpwellDoc& document = MakeDocument();
    EXPECT_EQ(document.Converter().Name(), expected::kSampleName);
    EXPECT_EQ(document.Converter().m_strModeFilePath, path);
}

TEST_F(DocConstructionTest, EmptyProfileGivesDefaults)
{
    CChirpwellDoc& document = MakeDocument();
    // The converter's own defaults, with the built-in set in force.
    EXPECT_EQ(document.Converter().m_nFrequency, 2);
    EXPECT_EQ(document.Converter().m_strModeFilePath, "????");
    EXPECT_EQ(document.Converter().Name(), expected::kBuiltInName);
    EXPECT_TRUE(document.Converter().SmilePlaces().empty());
    EXPECT_FALSE(document.IsViewReady());
    EXPECT_FALSE(document.IsUndoAvailable());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetPathName().empty());
    EXPECT_TRUE(document.UndoText().empty());
    EXPECT_TRUE(document.UndoConverter().RuleTable().Lookup(0x81).empty());
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_EQ(m_progress.m_nCreated, 0);
}

TEST_F(DocConstructionTest, SmileFileThatFailsAtStartIsLeftAsTheLoaderLeavesIt)
{
    m_profile.WriteProfileString("Settings", "modeFilePath",
                                 m_folder.Write("bad.grn", "n x\nq bad line\n"));
    CChirpwellDoc& document = MakeDocument();
    // Only the loader's own line error; the document adds nothing.
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kLine2Error});
    EXPECT_EQ(document.Converter().Name(), expected::kBuiltInName);
}

TEST_F(DocConstructionTest, SettingsReachTheProfileOnlyOnDestruction)
{
    CChirpwellDoc& document = MakeDocument();
    document.Converter().m_nFrequency = 37;
    document.Converter().m_bHTMLCut = true;
    document.Converter().m_strHankaku = "#";
    EXPECT_FALSE(m_profile.Has("Settings", "frequency"));
    m_document.reset();
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "frequency", 0), 37);
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "HTMLCut", 0), 1);
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "ReturnCode", 0), 1);
    EXPECT_EQ(m_profile.GetProfileString("Settings", "Hankaku", ""), "#");
    EXPECT_EQ(m_profile.GetProfileString("Settings", "modeFilePath", ""), "????");
    // The working directory is only ever read.
    EXPECT_FALSE(m_profile.Has("Settings", "CurrentDirectory"));
}

}  // namespace
