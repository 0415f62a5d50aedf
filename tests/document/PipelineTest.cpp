#include <cstddef>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/smile/SmilePlace.h"
#include "tests/document/DocTest.h"

namespace {

using PipelineTest = CDocTest;

TEST_F(PipelineTest, EachRunHasOneProgressWindowWithCaptionsInOrder)
{
    m_profile.WriteProfileInt("Settings", "HTMLCut", 1);
    m_profile.WriteProfileInt("Settings", "CPPCut", 1);
    m_profile.WriteProfileInt("Settings", "ReturnCode", 1);
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("a.");
    EXPECT_EQ(m_progress.m_nCreated, 1);
    EXPECT_EQ(m_progress.m_nDestroyed, 1);
    EXPECT_EQ(m_progress.m_windows[0].m_captions,
              (std::vector<std::string>{expected::kGettingText, expected::kHtml,
                                        expected::kComments, expected::kNewlines,
                                        expected::kSmiling, expected::kSettingText}));
    // Each pass counts up from 0 again.
    EXPECT_EQ(m_progress.m_windows[0].m_positions.front(), 0);

    document.Converter().m_bHTMLCut = false;
    document.Converter().m_bCPPCut = false;
    document.Converter().m_bReturnCode = false;
    document.OnSmileAgain();
    EXPECT_EQ(m_progress.m_nCreated, 2);
    EXPECT_EQ(m_progress.m_nDestroyed, 2);
    EXPECT_EQ(m_progress.m_windows[1].m_captions,
              (std::vector<std::string>{expected::kGettingText, expected::kSmiling,
                                        expected::kSettingText}));
}

TEST_F(PipelineTest, FiltersRunBeforeTheSmileAndUndoKeepsTheTextBeforeThem)
{
    m_profile.WriteProfileInt("Settings", "HTMLCut", 1);
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("<p>x.</p>\ny.");
    EXPECT_EQ(m_view.m_strText, "x!.\r\ny!.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{1, 2}, {6, 2}}));
    EXPECT_EQ(document.UndoText(), "<p>x.</p>\ny.");
    EXPECT_TRUE(document.IsUndoAvailable());
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(m_view.m_nResizeCalls, 1);
}

TEST_F(PipelineTest, FailedSmileLeavesTextAndPlacesExactlyAsBefore)
{
    CChirpwellDoc& document = MakeReadyDocument();
    // A limit of 12 lets the smiled text reach 6 bytes: "a.b." smiles once, not twice.
    m_view.m_nTextLimit = 12;
    Smile("a.b.");
    ASSERT_EQ(m_view.m_strText, "a!.b!.");
    const CSmilePlaceList before{{1, 2}, {4, 2}};
    ASSERT_EQ(document.Converter().SmilePlaces(), before);
    const int setTextCalls = m_view.m_nSetTextCalls;
    const int resizeCalls = m_view.m_nResizeCalls;
    std::vector<int> windowsUp;
    m_prompter.m_onMessage = [&](const std::string&) { windowsUp.push_back(m_progress.Alive()); };

    document.OnSmileAgain();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kTooLong});
    EXPECT_EQ(windowsUp, std::vector<int>{1});
    EXPECT_EQ(m_progress.Alive(), 0);
    EXPECT_EQ(m_view.m_strText, "a!.b!.");
    EXPECT_EQ(m_view.m_nSetTextCalls, setTextCalls);
    EXPECT_EQ(m_view.m_nResizeCalls, resizeCalls);
    EXPECT_EQ(document.Converter().SmilePlaces(), before);
    EXPECT_FALSE(document.IsUndoAvailable());
    EXPECT_EQ(m_progress.m_windows.back().m_captions.back(), expected::kSmiling);
}

TEST_F(PipelineTest, OnlyTextsUpToTheMaximumAreSmiled)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile(std::string(524288, '.'));
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kTooLong});
    EXPECT_EQ(m_view.m_strText, std::string(524288, '.'));
    EXPECT_TRUE(document.Converter().SmilePlaces().empty());

    // One byte less is smiled, when nothing grows.
    m_prompter.m_messages.clear();
    document.Converter().m_nFrequency = 0;
    Smile(std::string(524287, '.'));
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_TRUE(document.IsUndoAvailable());
}

TEST_F(PipelineTest, SameSecondGivesTheSameSmile)
{
    m_profile.WriteProfileInt("Settings", "frequency", 50);
    CChirpwellDoc& document = MakeDocument();
    document.OnViewInitialUpdate();
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += Hex("82a0 8142 82a2 8141");  // あ。い、
    Smile(text);
    const std::string first = m_view.m_strText;
    const CSmilePlaceList firstPlaces = document.Converter().SmilePlaces();
    ASSERT_NE(first, text);

    Smile(text);
    EXPECT_EQ(m_view.m_strText, first);
    EXPECT_EQ(document.Converter().SmilePlaces(), firstPlaces);

    // Every run seeds anew: the next second makes other choices.
    ++m_clock.m_nNow;
    Smile(text);
    EXPECT_NE(m_view.m_strText, first);
}

TEST_F(PipelineTest, PlacesPast65535KeepTheirFullPositions)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile(std::string(70000, 'x') + "." + std::string(10, 'y') + ".");
    EXPECT_EQ(m_view.m_strText.size(), 70014u);
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{70000, 2}, {70012, 2}}));
    // The undo copy holds them whole as well.
    document.OnSmileAgain();
    document.OnUndo();
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{70000, 2}, {70012, 2}}));
}

TEST_F(PipelineTest, EmptyTextSmilesAndMakesUndoAvailable)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("");
    EXPECT_TRUE(m_prompter.m_messages.empty());
    EXPECT_EQ(m_view.m_strText, "");
    EXPECT_EQ(m_view.m_nSetTextCalls, 1);
    EXPECT_TRUE(document.IsUndoAvailable());
    EXPECT_EQ(m_progress.m_nDestroyed, 1);
}

TEST_F(PipelineTest, SmilesAccumulateAndUndoGoesBackOneOnly)
{
    CChirpwellDoc& document = MakeReadyDocument();
    Smile("a.");
    document.OnSmileAgain();
    EXPECT_EQ(m_view.m_strText, "a!!.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{2, 2}}));
    document.OnUndo();
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(document.Converter().SmilePlaces(), (CSmilePlaceList{{1, 2}}));
    EXPECT_FALSE(document.IsUndoAvailable());
}

}  // namespace
