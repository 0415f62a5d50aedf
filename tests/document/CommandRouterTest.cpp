#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/CommandRouter.h"
#include "tests/document/DocTest.h"

namespace {

constexpr int kCommand = 40000;

class CommandRouterTest : public ::testing::Test {
protected:
    CCommandMap m_view;
    CCommandMap m_document;
    CCommandMap m_frame;
    std::vector<std::string> m_ran;
    CCommandRouter m_router;

    void SetUp() override
    {
        m_router.AddTarget(m_view);
        m_router.AddTarget(m_document);
        m_router.AddTarget(m_frame);
    }
};

TEST_F(CommandRouterTest, FirstTargetWithAHandlerCarriesTheCommandOut)
{
    m_document.On(kCommand, [&] { m_ran.push_back("document"); });
    m_frame.On(kCommand, [&] { m_ran.push_back("frame"); });
    EXPECT_TRUE(m_router.Execute(kCommand));
    EXPECT_EQ(m_ran, std::vector<std::string>{"document"});
    m_view.On(kCommand, [&] { m_ran.push_back("view"); });
    EXPECT_TRUE(m_router.Execute(kCommand));
    EXPECT_EQ(m_ran, (std::vector<std::string>{"document", "view"}));
}

TEST_F(CommandRouterTest, UpdateHandlerDecidesBeforeTheHandlerRuns)
{
    bool enabled = false;
    // The update handler sits in an earlier target than the handler.
    m_view.OnUpdate(kCommand, [&](CCmdUI& cmdUI) {
        m_ran.push_back("update");
        cmdUI.m_bEnabled = enabled;
        cmdUI.m_bChecked = true;
    });
    m_frame.On(kCommand, [&] { m_ran.push_back("handler"); });
    EXPECT_FALSE(m_router.Execute(kCommand));
    EXPECT_EQ(m_ran, std::vector<std::string>{"update"});
    enabled = true;
    EXPECT_TRUE(m_router.Execute(kCommand));
    EXPECT_EQ(m_ran, (std::vector<std::string>{"update", "update", "handler"}));
    EXPECT_TRUE(m_router.Update(kCommand).m_bChecked);
}

TEST_F(CommandRouterTest, CommandWithoutHandlerIsDisabled)
{
    EXPECT_FALSE(m_router.Update(kCommand).m_bEnabled);
    EXPECT_FALSE(m_router.Execute(kCommand));
    // An update handler that enables a command nobody handles runs nothing.
    m_document.OnUpdate(kCommand, [](CCmdUI& cmdUI) { cmdUI.m_bEnabled = true; });
    EXPECT_FALSE(m_router.Execute(kCommand));
    // A handler alone makes it enabled, unchecked.
    m_frame.On(kCommand, [] {});
    EXPECT_TRUE(m_router.Update(kCommand).m_bEnabled);
    EXPECT_FALSE(m_router.Update(kCommand).m_bChecked);
}

using DocumentCommandsTest = CDocTest;

TEST_F(DocumentCommandsTest, WholeTextCommandsAreAlwaysEnabled)
{
    CChirpwellDoc& document = MakeReadyDocument();
    CCommandRouter router;
    router.AddTarget(document.Commands());
    for (const int id : {ID_FILE_OPEN, ID_FILE_SAVE_AS, ID_RELOAD, ID_SMILE_AGAIN,
                         ID_SMILE_WITH_FILE, ID_SETTINGS, ID_SEARCH_DOWN, ID_SEARCH_UP})
        EXPECT_TRUE(router.Update(id).m_bEnabled) << id;
    m_view.m_strText = "a.";
    EXPECT_TRUE(router.Execute(ID_SMILE_AGAIN));
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_FALSE(router.Update(ID_APP_ABOUT).m_bEnabled);
}

TEST_F(DocumentCommandsTest, OpenCommandOpensTheChosenFile)
{
    CChirpwellDoc& document = MakeReadyDocument();
    CCommandRouter router;
    router.AddTarget(document.Commands());
    const std::string path = m_folder.Write("a.txt", "a.");
    m_prompter.m_openAnswers.push_back(path);
    EXPECT_TRUE(router.Execute(ID_FILE_OPEN));
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(m_frame.m_recentFiles, std::vector<std::string>{path});
    ASSERT_EQ(m_prompter.m_openDialogs.size(), 1u);
    EXPECT_EQ(m_prompter.m_openDialogs[0].m_strTitle, Hex("8a4a82ad"));  // 開く
    EXPECT_TRUE(m_prompter.m_openDialogs[0].m_strInitialPath.empty());

    // Cancelling the dialog changes nothing.
    m_prompter.m_openAnswers.push_back(std::nullopt);
    EXPECT_TRUE(router.Execute(ID_FILE_OPEN));
    EXPECT_EQ(m_prompter.m_openDialogs[1].m_strInitialPath, path);
    EXPECT_EQ(m_frame.m_recentFiles.size(), 1u);

    // A file that fails to open is reported and leaves path and recent files.
    m_prompter.m_openAnswers.push_back(m_folder.PathOf("missing.txt"));
    router.Execute(ID_FILE_OPEN);
    EXPECT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(m_frame.m_recentFiles.size(), 1u);
    EXPECT_EQ(m_progress.m_nCreated, 1);
}

}  // namespace
