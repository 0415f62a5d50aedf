#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/CommandRouter.h"
#include "engine/SmilePlace.h"
#include "tests/document/DocTest.h"

namespace {

class EditCommandsTest : public CDocTest {
protected:
    void SetUp() override { MakeReadyDocument(); }

    CChirpwellDoc& Document() { return *m_document; }
    void Select(std::size_t start, std::size_t end) { m_view.m_selection = {start, end}; }
    CCommandRouter Router()
    {
        CCommandRouter router;
        router.AddTarget(Document().Commands());
        return router;
    }
};

TEST_F(EditCommandsTest, SearchStepsDownAndUpThroughThePlaces)
{
    Smile("a.b.c.");  // a!.b!.c!.
    ASSERT_EQ(Document().Converter().SmilePlaces(), (CSmilePlaceList{{1, 2}, {4, 2}, {7, 2}}));
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{1, 3}));
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{4, 6}));
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{7, 9}));
    EXPECT_EQ(m_view.m_nScrollCalls, 3);
    EXPECT_TRUE(m_prompter.m_messages.empty());

    Document().OnSearchDown();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kNoPlaceBelow});
    EXPECT_EQ(m_view.m_selection, (CSelection{7, 9}));
    EXPECT_EQ(m_view.m_nScrollCalls, 3);

    Document().OnSearchUp();
    EXPECT_EQ(m_view.m_selection, (CSelection{4, 6}));
    Document().OnSearchUp();
    EXPECT_EQ(m_view.m_selection, (CSelection{1, 3}));
    Document().OnSearchUp();
    EXPECT_EQ(m_prompter.m_messages.back(), expected::kNoPlaceAbove);
    EXPECT_EQ(m_view.m_selection, (CSelection{1, 3}));
}

TEST_F(EditCommandsTest, SearchComparesWithTheSelectionStartOnly)
{
    Smile("a.b.c.");
    // A selection reaching over the second place still finds it going down.
    Select(2, 8);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{4, 6}));
    Select(4, 4);
    Document().OnSearchUp();
    EXPECT_EQ(m_view.m_selection, (CSelection{1, 3}));
}

TEST_F(EditCommandsTest, PlaceAtZeroIsFoundOnlyGoingUp)
{
    Smile(".a");  // !.a
    Document().OnSearchDown();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kNoPlaceBelow});
    EXPECT_EQ(m_view.m_selection, (CSelection{0, 0}));
    Select(3, 3);
    Document().OnSearchUp();
    EXPECT_EQ(m_view.m_selection, (CSelection{0, 2}));
}

TEST_F(EditCommandsTest, WithoutPlacesBothSearchesSaySo)
{
    m_view.m_strText = "abc";
    Select(1, 2);
    Document().OnSearchDown();
    Document().OnSearchUp();
    EXPECT_EQ(m_prompter.m_messages,
              (std::vector<std::string>{expected::kNoPlaceBelow, expected::kNoPlaceAbove}));
    EXPECT_EQ(m_view.m_selection, (CSelection{1, 2}));
}

TEST_F(EditCommandsTest, SearchFindsPlacesPast65535)
{
    Smile(std::string(70000, 'x') + "." + std::string(10, 'y') + ".");
    Select(65536, 65536);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{70000, 70002}));
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{70012, 70014}));
    Document().OnSearchUp();
    EXPECT_EQ(m_view.m_selection, (CSelection{70000, 70002}));
    Select(70000 - 65536, 70000 - 65536);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{70000, 70002}));
}

TEST_F(EditCommandsTest, CensorHidesTheSelectionAndUndoBringsItBack)
{
    // At frequency 100 every character is hidden; blanks and the full-width space stay.
    Smile(Hex("82a0 20 8140 61 62 0d0a 2e"));  // あ　ab CR LF . -> last "." smiles
    const std::string before = m_view.m_strText;
    const CSmilePlaceList places = Document().Converter().SmilePlaces();
    Select(0, 8);
    Document().SetModifiedFlag(true);
    Document().OnCensor();
    EXPECT_EQ(m_view.m_strText, Hex("819c 20 8140 2a 2a 0d0a 212e"));
    EXPECT_EQ(m_view.m_selection, (CSelection{8, 8}));
    EXPECT_FALSE(Document().IsModified());
    EXPECT_TRUE(Document().IsUndoAvailable());
    EXPECT_EQ(Document().Converter().SmilePlaces(), places);
    EXPECT_EQ(m_view.m_nResizeCalls, 2);

    Document().OnUndo();
    EXPECT_EQ(m_view.m_strText, before);
    EXPECT_EQ(Document().Converter().SmilePlaces(), places);
    EXPECT_FALSE(Document().IsUndoAvailable());
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(m_view.m_nResizeCalls, 3);
}

TEST_F(EditCommandsTest, CensorUsesTheConvertersCharacters)
{
    m_view.m_strText = Hex("82a0 61");
    Document().Converter().m_strZenkaku = Hex("81a1");
    Document().Converter().m_strHankaku = "#";
    Select(0, 3);
    Document().OnCensor();
    EXPECT_EQ(m_view.m_strText, Hex("81a1 23"));
}

TEST_F(EditCommandsTest, ReverseTurnsCharactersAroundAndKeepsLineEnds)
{
    m_view.m_strText = Hex("78 82a0 82a2 0d0a 41 79");  // x あい CR LF A y
    Select(1, 8);
    Document().OnReverse();
    EXPECT_EQ(m_view.m_strText, Hex("78 41 0d0a 82a2 82a0 79"));
    EXPECT_EQ(m_view.m_selection, (CSelection{8, 8}));
    EXPECT_EQ(Document().UndoText(), Hex("78 82a0 82a2 0d0a 41 79"));
}

TEST_F(EditCommandsTest, TwoEffectsThenUndoGoBackBeforeTheSecondOnly)
{
    m_view.m_strText = "abcd";
    Select(0, 2);
    Document().OnReverse();
    ASSERT_EQ(m_view.m_strText, "bacd");
    Select(2, 4);
    Document().OnReverse();
    ASSERT_EQ(m_view.m_strText, "badc");
    Document().OnUndo();
    EXPECT_EQ(m_view.m_strText, "bacd");
    EXPECT_FALSE(Document().IsUndoAvailable());
}

TEST_F(EditCommandsTest, EffectsKeepThePlacesForTheSearch)
{
    Smile("ab.cd.");  // ab!.cd!.
    Select(0, 8);
    Document().OnReverse();
    Select(0, 0);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{2, 4}));
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{6, 8}));
}

TEST_F(EditCommandsTest, UndoAfterSmileAgainFindsThePlacesOfBefore)
{
    Smile("a.b.");              // a!.b!.
    Document().OnSmileAgain();  // a!!.b!!.
    Document().OnUndo();
    EXPECT_EQ(m_view.m_strText, "a!.b!.");
    Select(2, 2);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{4, 6}));
}

TEST_F(EditCommandsTest, SelectionEffectsAreDisabledOnEmptySelection)
{
    m_view.m_strText = "abc";
    const CCommandRouter router = Router();
    Select(1, 1);
    EXPECT_FALSE(router.Update(ID_CENSOR).m_bEnabled);
    EXPECT_FALSE(router.Update(ID_REVERSE).m_bEnabled);
    EXPECT_FALSE(router.Execute(ID_CENSOR));
    EXPECT_FALSE(router.Execute(ID_REVERSE));
    EXPECT_EQ(m_view.m_strText, "abc");
    EXPECT_FALSE(Document().IsUndoAvailable());

    Select(0, 2);
    EXPECT_TRUE(router.Update(ID_REVERSE).m_bEnabled);
    EXPECT_TRUE(router.Execute(ID_REVERSE));
    EXPECT_EQ(m_view.m_strText, "bac");
    // The caret behind the replaced part disables both again.
    EXPECT_FALSE(router.Update(ID_CENSOR).m_bEnabled);
    EXPECT_FALSE(router.Update(ID_REVERSE).m_bEnabled);
}

TEST_F(EditCommandsTest, UndoIsEnabledOnlyWhileASnapshotIsAvailable)
{
    const CCommandRouter router = Router();
    m_view.m_strText = "ab";
    EXPECT_FALSE(router.Update(ID_UNDO).m_bEnabled);
    EXPECT_FALSE(router.Execute(ID_UNDO));
    EXPECT_EQ(m_view.m_strText, "ab");

    Select(0, 2);
    ASSERT_TRUE(router.Execute(ID_REVERSE));
    EXPECT_TRUE(router.Update(ID_UNDO).m_bEnabled);
    EXPECT_TRUE(router.Execute(ID_UNDO));
    EXPECT_EQ(m_view.m_strText, "ab");
    EXPECT_FALSE(router.Update(ID_UNDO).m_bEnabled);
}

TEST_F(EditCommandsTest, UndoLeavesSettingsPathAndModifiedFlagAlone)
{
    const std::string path = m_folder.Write("a.txt", "a.");
    ASSERT_TRUE(Document().OpenDocumentFile(path));
    Document().OnSmileAgain();
    Document().Converter().m_nFrequency = 42;
    Document().SetModifiedFlag(true);
    Document().OnUndo();
    EXPECT_EQ(m_view.m_strText, "a!.");
    EXPECT_EQ(Document().Converter().m_nFrequency, 42);
    EXPECT_EQ(Document().GetPathName(), path);
    EXPECT_TRUE(Document().IsModified());
}

}  // namespace
