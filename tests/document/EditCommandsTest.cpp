#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "document/CommandIds.h"
#include "document/CommandRouter.h"
#include "engine/smile/SmilePlace.h"
#include "tests/document/DocTest.h"

namespace {

class EditCommandsTest : public CDocTest {
protected:
    void SetUp() override
    {
        MakeReadyDocument();
        m_router.AddTarget(m_document->Commands());
    }
    CChirpwellDoc& Document() { return *m_document; }
    void Select(std::size_t start, std::size_t end) { m_view.m_selection = {start, end}; }

    CCommandRouter m_router;
};

TEST_F(EditCommandsTest, SearchStepsDownAndUpThroughThePlaces)
{
    Smile("a.b.c.");  // a!.b!.c!.
    for (const CSelection expected : {CSelection{1, 3}, {4, 6}, {7, 9}}) {
        Document().OnSearchDown();
        EXPECT_EQ(m_view.m_selection, expected);
    }
    EXPECT_EQ(m_view.m_nScrollCalls, 3);
    EXPECT_TRUE(m_prompter.m_messages.empty());

    // Past the last place: the message, and the place stays selected.
    Document().OnSearchDown();
    EXPECT_EQ(m_prompter.m_messages, std::vector<std::string>{expected::kNoPlaceBelow});
    EXPECT_EQ(m_view.m_selection, (CSelection{7, 9}));
    EXPECT_EQ(m_view.m_nScrollCalls, 3);

    for (const CSelection expected : {CSelection{4, 6}, {1, 3}, {1, 3}}) {
        Document().OnSearchUp();
        EXPECT_EQ(m_view.m_selection, expected);
    }
    EXPECT_EQ(m_prompter.m_messages.back(), expected::kNoPlaceAbove);

    // Only the selection start counts, not its end.
    Select(2, 8);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{4, 6}));
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
    // 4464 is 70000 in 16 bits; from there the next place is still the one at 70000.
    Select(4464, 4464);
    Document().OnSearchDown();
    EXPECT_EQ(m_view.m_selection, (CSelection{70000, 70002}));
}

TEST_F(EditCommandsTest, CensorThenUndoBringsTextAndPlacesBack)
{
    // At frequency 100 every character is hidden; blanks and the full-width space stay.
    Smile(Hex("82a0 20 8140 61 62 0d0a 2e"));  // あ　ab CR LF .
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
    Select(2, 4);
    Document().OnReverse();
    ASSERT_EQ(m_view.m_strText, "badc");
    Document().OnUndo();
    EXPECT_EQ(m_view.m_strText, "bacd");
}

TEST_F(EditCommandsTest, PlacesStillHoldAfterAnEffect)
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

TEST_F(EditCommandsTest, DisabledEffectsAreNotCarriedOut)
{
    m_view.m_strText = "abc";
    Select(1, 1);
    EXPECT_FALSE(m_router.Update(ID_CENSOR).m_bEnabled);
    EXPECT_FALSE(m_router.Execute(ID_CENSOR));
    EXPECT_FALSE(m_router.Execute(ID_REVERSE));
    EXPECT_FALSE(m_router.Execute(ID_UNDO));
    EXPECT_EQ(m_view.m_strText, "abc");
    EXPECT_FALSE(Document().IsUndoAvailable());

    Select(0, 2);
    EXPECT_TRUE(m_router.Update(ID_CENSOR).m_bEnabled);
    EXPECT_TRUE(m_router.Execute(ID_REVERSE));
    EXPECT_EQ(m_view.m_strText, "bac");
    // The caret behind the replaced part disables both again; undo is enabled once.
    EXPECT_FALSE(m_router.Update(ID_CENSOR).m_bEnabled);
    EXPECT_FALSE(m_router.Update(ID_REVERSE).m_bEnabled);
    EXPECT_TRUE(m_router.Execute(ID_UNDO));
    EXPECT_EQ(m_view.m_strText, "abc");
    EXPECT_FALSE(m_router.Update(ID_UNDO).m_bEnabled);
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
