#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/SettingsValues.h"
#include "engine/smile/SmilePlace.h"
#include "tests/document/DocTest.h"

namespace {

class SmileWithFileTest : public CDocTest {
protected:
    // n 笑 / r . ?. : another set, which turns every "." into "?.".
    std::string QuestionFile()
    {
        return m_folder.Write("question.grn", "n " + Hex("8fce") + "\nr . ?.\n");
    }
};

TEST_F(SmileWithFileTest, OtherFileSmilesOnceAndTheDocumentsOwnSetStays)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("a.b.");
    const std::string path = QuestionFile();
    const CSettingsValues settings = ReadSettingsValues(document.Converter());
    const std::string modePath = document.Converter().m_strModeFilePath;

    m_prompter.m_openAnswers.push_back(path);
    document.OnSmileWithFile();
    EXPECT_EQ(m_view.m_strText, "a!?.b!?.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{2, 2}, {6, 2}}));
    EXPECT_TRUE(document.IsUndoAvailable());
    EXPECT_EQ(document.Converter().Name(), expected::kSampleName);
    EXPECT_EQ(document.Converter().m_strModeFilePath, modePath);
    EXPECT_EQ(ReadSettingsValues(document.Converter()), settings);
    EXPECT_TRUE(m_prompter.m_messages.empty());

    // The own set still turns "." into "!.".
    document.OnSmileAgain();
    EXPECT_EQ(m_view.m_strText, "a!?!.b!?!.");

    ASSERT_EQ(m_prompter.m_openDialogs.size(), 1u);
    const CFileDialogOptions& options = m_prompter.m_openDialogs[0];
    EXPECT_EQ(options.m_strTitle,
              Hex("817594f78fce82dd95b68f91817682f0914982f182c582ad82be82b382a28142"));
    ASSERT_EQ(options.m_filters.size(), 2u);
    EXPECT_EQ(options.m_filters[0].m_strName, Hex("8358837d8343838b837483408343838b282a2e67726e29"));
    EXPECT_EQ(options.m_filters[0].m_strPattern, "*.grn");
    EXPECT_EQ(options.m_filters[1].m_strName, Hex("915382c482cc837483408343838b282a2e2a29"));
    EXPECT_EQ(options.m_filters[1].m_strPattern, "*");
}

TEST_F(SmileWithFileTest, TheTemporaryConverterTakesTheDocumentsFrequency)
{
    CChirpwellDoc& document = MakeReadyDocument();
    document.Converter().m_nFrequency = 0;
    m_view.m_strText = "a.b.";
    m_prompter.m_openAnswers.push_back(QuestionFile());
    document.OnSmileWithFile();
    EXPECT_EQ(m_view.m_strText, "a.b.");
    EXPECT_TRUE(document.Converter().SmilePlaces().empty());
}

TEST_F(SmileWithFileTest, FiltersAreSwitchedByTheDocumentsSettings)
{
    CChirpwellDoc& document = MakeReadyDocument();
    document.Converter().m_bHTMLCut = true;
    document.Converter().m_bReturnCode = false;
    m_view.m_strText = "<i>a.</i>\n";
    m_prompter.m_openAnswers.push_back(QuestionFile());
    document.OnSmileWithFile();
    EXPECT_EQ(m_view.m_strText, "a?.\n");
}

TEST_F(SmileWithFileTest, UndoBringsBackTextAndPlacesOfBefore)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("a.");
    m_prompter.m_openAnswers.push_back(QuestionFile());
    document.OnSmileWithFile();
    ASSERT_EQ(m_view.m_strText, "a!?.");
    document.OnUndo();
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{1, 2}}));
    EXPECT_FALSE(document.IsUndoAvailable());
}

TEST_F(SmileWithFileTest, FileWithBadLineIsReportedAndNothingChanges)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("a.");
    const int windows = m_progress.m_nCreated;
    m_prompter.m_openAnswers.push_back(m_folder.Write("bad.grn", "r . ?.\nx y z\n"));
    document.OnSmileWithFile();
    EXPECT_EQ(m_prompter.m_messages,
              (std::vector<std::string>{expected::kLine2Error, expected::kSmileFileFailed}));
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{1, 2}}));
    EXPECT_TRUE(document.IsUndoAvailable());
    EXPECT_EQ(document.UndoText(), "a.");
    EXPECT_EQ(document.Converter().Name(), expected::kSampleName);
    EXPECT_EQ(m_progress.m_nCreated, windows);
}

TEST_F(SmileWithFileTest, MissingFileGivesOnlyTheLoadFailure)
{
    CChirpwellDoc& document = MakeReadyDocument();
    m_prompter.m_openAnswers.push_back(m_folder.PathOf("none.grn"));
    document.OnSmileWithFile();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kSmileFileFailed});
    EXPECT_FALSE(document.IsUndoAvailable());

    // A cancelled file dialog does nothing at all.
    m_prompter.m_openAnswers.push_back(std::nullopt);
    document.OnSmileWithFile();
    EXPECT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_progress.m_nCreated, 0);
}

}  // namespace
