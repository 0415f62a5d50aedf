#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/SettingsChecks.h"
#include "document/SettingsValues.h"
#include "tests/document/DocTest.h"

namespace {

class SettingsCommandTest : public CDocTest {
protected:
    // The dialog of a user who enters other values and presses OK.
    void QueueChangedValues()
    {
        m_prompter.m_settingsAnswers.push_back([](CSettingsValues& values, CConverter&) {
            values.m_nFrequency = 55;
            values.m_bHTMLCut = true;
            values.m_bCPPCut = true;
            values.m_bReturnCode = false;
            values.m_strZenkaku = Hex("81a1");
            values.m_strHankaku = "#";
            return true;
        });
    }
    // The dialog of a user who loads path with the load button, then ends with ok.
    void QueueLoadThen(const std::string& path, bool ok)
    {
        m_prompter.m_settingsAnswers.push_back(
            [this, path, ok](CSettingsValues& values, CConverter& converter) {
                LoadSmileFileFromDialog(converter, m_prompter, path);
                values.m_nFrequency = 77;
                return ok;
            });
    }
    std::string OtherFile()
    {
        return m_folder.Write("other.grn", "n " + Hex("8fce") + "\nr . ?.\n");
    }
};

TEST_F(SettingsCommandTest, OkWithoutFileCopiesValuesBackAndAsksNothing)
{
    CChirpwellDoc& document = MakeDocument();
    QueueChangedValues();
    document.OnSettings();
    // The dialog opened with the converter's values.
    ASSERT_EQ(m_prompter.m_settingsShown.size(), 1u);
    const CSettingsValues& shown = m_prompter.m_settingsShown[0];
    EXPECT_EQ(shown.m_nFrequency, 2);
    EXPECT_TRUE(shown.m_bReturnCode);
    EXPECT_EQ(shown.m_strZenkaku, Hex("819c"));
    EXPECT_EQ(shown.m_strHankaku, "*");
    const CConverter& converter = document.Converter();
    EXPECT_EQ(converter.m_nFrequency, 55);
    EXPECT_TRUE(converter.m_bHTMLCut);
    EXPECT_TRUE(converter.m_bCPPCut);
    EXPECT_FALSE(converter.m_bReturnCode);
    EXPECT_EQ(converter.m_strZenkaku, Hex("81a1"));
    EXPECT_EQ(converter.m_strHankaku, "#");
    EXPECT_TRUE(m_prompter.m_questions.empty());
    // Nothing reaches the profile before the document goes.
    EXPECT_FALSE(m_profile.Has("Settings", "frequency"));
}

TEST_F(SettingsCommandTest, OkWithFileAsksAndYesReloadsFromDisk)
{
    CChirpwellDoc& document = MakeReadyDocument();
    const std::string path = m_folder.Write("a.txt", "a.");
    ASSERT_TRUE(document.OpenDocumentFile(path));
    m_folder.Write("a.txt", "b.");
    // Even a dialog that changed nothing brings the question.
    m_prompter.QueueSettings(true);
    m_prompter.m_yesNoAnswers.push_back(true);
    document.OnSettings();
    EXPECT_EQ(m_prompter.m_questions, std::vector<std::string>{expected::kAskReload});
    EXPECT_EQ(m_view.m_strText, "b!.");
    EXPECT_FALSE(document.IsUndoAvailable());
}

TEST_F(SettingsCommandTest, AnswerNoKeepsTheTextAndTheNewValuesApplyNextTime)
{
    CChirpwellDoc& document = MakeReadyDocument();
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("a.txt", "a.")));
    const int windows = m_progress.m_nCreated;
    m_prompter.m_settingsAnswers.push_back([](CSettingsValues& values, CConverter&) {
        values.m_nFrequency = 5;
        return true;
    });
    m_prompter.m_yesNoAnswers.push_back(false);
    document.OnSettings();
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(m_progress.m_nCreated, windows);
    EXPECT_EQ(document.Converter().m_nFrequency, 5);
}

TEST_F(SettingsCommandTest, CancelAfterLoadButtonRestoresTheSetAndItsPath)
{
    CChirpwellDoc& document = MakeReadyDocument();
    const std::string ownPath = document.Converter().m_strModeFilePath;
    QueueLoadThen(OtherFile(), false);
    document.OnSettings();
    EXPECT_EQ(document.Converter().Name(), expected::kSampleName);
    EXPECT_EQ(document.Converter().m_strModeFilePath, ownPath);
    EXPECT_EQ(document.Converter().m_nFrequency, 100);
    EXPECT_TRUE(m_prompter.m_messages.empty());
    Smile("a.");
    EXPECT_EQ(m_view.m_strText, "a!.");
}

TEST_F(SettingsCommandTest, CancelAfterLoadButtonRestoresTheBuiltInSetAndItsPath)
{
    CChirpwellDoc& document = MakeDocument();
    QueueLoadThen(OtherFile(), false);
    document.OnSettings();
    EXPECT_EQ(document.Converter().Name(), expected::kBuiltInName);
    EXPECT_EQ(document.Converter().m_strModeFilePath, "????");
    EXPECT_EQ(document.Converter().m_nFrequency, 2);
    m_document.reset();
    EXPECT_EQ(m_profile.GetProfileString("Settings", "modeFilePath", ""), "????");
}

TEST_F(SettingsCommandTest, OkAfterLoadButtonKeepsTheLoadedSet)
{
    CChirpwellDoc& document = MakeDocument();
    const std::string other = OtherFile();
    QueueLoadThen(other, true);
    document.OnSettings();
    EXPECT_EQ(document.Converter().Name(), Hex("8fce"));
    EXPECT_EQ(document.Converter().m_strModeFilePath, other);
    EXPECT_EQ(document.Converter().m_nFrequency, 77);
}

TEST_F(SettingsCommandTest, CancelWhenTheFileInUseVanishedInstallsTheBuiltInSet)
{
    CChirpwellDoc& document = MakeReadyDocument();
    const std::string ownPath = document.Converter().m_strModeFilePath;
    std::filesystem::remove(ownPath);
    m_prompter.QueueSettings(false);
    document.OnSettings();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kCancelFailed});
    EXPECT_EQ(document.Converter().Name(), expected::kBuiltInName);
    EXPECT_EQ(document.Converter().m_strModeFilePath, ownPath);
}

// Nothing smiled and nothing said why; now a lasting notice says it until a set is
// loaded, without a message box.
TEST_F(SettingsCommandTest, UnreadableSmileFileIsNoticedUntilASetIsLoaded)
{
    const std::string missing = m_folder.PathOf("missing.grn");
    m_profile.WriteProfileString("Settings", "modeFilePath", missing);
    CChirpwellDoc& document = MakeDocument();
    EXPECT_EQ(m_frame.m_strNotice, expected::SmileFileNotice(missing));
    EXPECT_TRUE(m_prompter.m_messages.empty());

    m_prompter.QueueSettings(true);
    document.OnSettings();
    EXPECT_EQ(m_frame.m_strNotice, expected::SmileFileNotice(missing));

    QueueLoadThen(OtherFile(), true);
    document.OnSettings();
    EXPECT_EQ(m_frame.m_strNotice, "");
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

}  // namespace
