#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/text/Characters.h"
#include "engine/text/Codec.h"
#include "engine/text/CodecTables.h"
#include "tests/document/DocTest.h"

namespace {

// A ready document whose one rule makes every "." "!."; line breaks stay as they are,
// so that an unsmiled text saves back byte for byte.
class EncodingTest : public CDocTest {
protected:
    CChirpwellDoc& MakeEncodingDocument()
    {
        m_profile.WriteProfileInt("Settings", "ReturnCode", 0);
        return MakeReadyDocument();
    }
    void SaveAs(CChirpwellDoc& document, const std::string& path)
    {
        m_prompter.m_saveAnswers.push_back(path);
        document.OnFileSaveAs();
    }
};

// 〜 U+301C and 😀 U+1F600, which CP932 lacks; 丂 is JIS X 0212, in EUC-JP only.
const std::string kWaveUtf8 = Hex("E3809C");
const std::string kSmileUtf8 = Hex("F09F9880");

TEST_F(EncodingTest, Utf8AndEucJpOpenSmiledAndSaveBackInTheirOwnEncoding)
{
    CChirpwellDoc& document = MakeEncodingDocument();
    const std::string utf8 = m_folder.Write("u.txt", "a." + kWaveUtf8 + "\n" + kSmileUtf8 + "\r\n");
    ASSERT_TRUE(document.OpenDocumentFile(utf8));
    EXPECT_EQ(m_view.m_strText, "a!." + Hex("81AD") + "\n" + Hex("81AE") + "\r\n");
    EXPECT_EQ(document.Encoding(), EEncoding::Utf8);
    EXPECT_EQ(m_frame.m_encodings.back(), EEncoding::Utf8);
    SaveAs(document, m_folder.PathOf("u2.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("u2.txt")), "a!." + kWaveUtf8 + "\n" + kSmileUtf8 + "\r\n");

    // The codes belong to the text: a second file, here EUC-JP, starts them afresh.
    // 〜丂ねこです。
    const std::string eucText = Hex("A1C1 8FB0A1 A4CD A4B3 A4C7 A4B9 A1A3");
    const std::string euc = m_folder.Write("e.txt", eucText + "b.");
    ASSERT_TRUE(document.OpenDocumentFile(euc));
    EXPECT_EQ(m_view.m_strText, Hex("81AD 81AE 82CB 82B1 82C5 82B7 8142") + "b!.");
    EXPECT_EQ(m_frame.m_encodings.back(), EEncoding::EucJp);
    SaveAs(document, m_folder.PathOf("e2.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("e2.txt")), eucText + "b!.");

    // A byte-order mark comes back; an unsmiled text comes back byte for byte.
    const std::string bom = m_folder.Write("b.txt", Hex("EFBBBF") + kSmileUtf8 + "\r\n");
    ASSERT_TRUE(document.OpenDocumentFile(bom));
    EXPECT_EQ(document.Encoding(), EEncoding::Utf8Bom);
    SaveAs(document, m_folder.PathOf("b2.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("b2.txt")), Hex("EFBBBF") + kSmileUtf8 + "\r\n");
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

// The window and the command line: the same file, seed and settings give the same
// bytes, here with the built-in set at a high frequency on a UTF-8 text.
TEST_F(EncodingTest, TheCommandLineSmilesAFileAsTheWindowDoes)
{
    m_profile.WriteProfileInt("Settings", "frequency", 60);
    m_profile.WriteProfileString("Settings", "modeFilePath", "????");
    CChirpwellDoc& document = MakeDocument();
    document.OnViewInitialUpdate();
    const std::string text = Hex("EFBBBF") + "あです。" + kSmileUtf8 + "、〜ます。\nです、ね。\r\n";
    const std::string path = m_folder.Write("u.txt", text);
    ASSERT_TRUE(document.OpenDocumentFile(path));
    SaveAs(document, m_folder.PathOf("window.txt"));

    const std::string command = std::string(CHIRPWELL_SMILE_PATH) + " -f 60 --seed=" +
                                std::to_string(m_clock.m_nNow) + " -o " +
                                m_folder.PathOf("cli.txt") + " " + path;
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadBytes(m_folder.PathOf("cli.txt")), ReadBytes(m_folder.PathOf("window.txt")));
    EXPECT_NE(ReadBytes(m_folder.PathOf("window.txt")), text);
}

TEST_F(EncodingTest, ReopeningInAnEncodingHoldsForReloadsButNotForTheNextFile)
{
    CChirpwellDoc& document = MakeEncodingDocument();
    const std::string utf8 = m_folder.Write("u.txt", Hex("E38182"));  // あ
    ASSERT_TRUE(document.OpenDocumentFile(utf8));
    EXPECT_EQ(m_view.m_strText, Hex("82A0"));

    // Not EUC-JP: a message, and nothing changes.
    document.OnReopenWithEncoding(CChirpwellDoc::EReadEncoding::EucJp);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0],
              utf8 + Hex("2082cd204555432d4a502082c682b582c493c782df82dc82b982f18142"));
    EXPECT_EQ(m_view.m_strText, Hex("82A0"));
    EXPECT_EQ(document.Encoding(), EEncoding::Utf8);

    document.OnReopenWithEncoding(CChirpwellDoc::EReadEncoding::ShiftJis);
    EXPECT_EQ(m_view.m_strText, Hex("E38182"));
    EXPECT_EQ(m_frame.m_encodings.back(), EEncoding::ShiftJis);
    document.OnReload();
    EXPECT_EQ(m_view.m_strText, Hex("E38182"));

    const std::string other = m_folder.Write("o.txt", Hex("E38184"));  // い
    ASSERT_TRUE(document.OpenDocumentFile(other));
    EXPECT_EQ(m_view.m_strText, Hex("82A2"));

    // With detection off every file is Shift_JIS, but 自動判別 detects all the same.
    m_view.m_bDetectsEncoding = false;
    ASSERT_TRUE(document.OpenDocumentFile(utf8));
    EXPECT_EQ(m_view.m_strText, Hex("E38182"));
    document.OnReopenWithEncoding(CChirpwellDoc::EReadEncoding::Detect);
    EXPECT_EQ(m_view.m_strText, Hex("82A0"));
}

TEST_F(EncodingTest, SavingRefusesACharacterTheChosenEncodingLacks)
{
    CChirpwellDoc& document = MakeEncodingDocument();
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("u.txt", "x\r\n" + kSmileUtf8)));
    document.OnSaveEncoding(EEncoding::ShiftJis);
    const std::string target = m_folder.PathOf("s.txt");
    SaveAs(document, target);
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    // 「😀」（2 行 1 文字目）は Shift_JIS で保存できません。 with 😀 as its own code.
    EXPECT_EQ(m_prompter.m_messages[0],
              Hex("8175 81AD 8176 816932208d7320312095b68e9a96da816a82cd2053686966745f4a4953"
                  "2082c595db91b682c582ab82dc82b982f18142"));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(document.GetPathName(), m_folder.PathOf("u.txt"));

    // As EUC-JP it is refused too; as UTF-8 it saves.
    document.OnSaveEncoding(EEncoding::EucJp);
    SaveAs(document, target);
    EXPECT_EQ(m_prompter.m_messages.size(), 2u);
    document.OnSaveEncoding(EEncoding::Utf8);
    SaveAs(document, target);
    EXPECT_EQ(ReadBytes(target), "x\r\n" + kSmileUtf8);
}

TEST_F(EncodingTest, AFileNeedingMoreCodesThanAreFreeIsRefused)
{
    CChirpwellDoc& document = MakeEncodingDocument();
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("a.txt", "kept")));
    std::string many;
    for (char32_t c = 0x1F000; c < 0x1F000 + kCp932FreeCodeCount + 1; ++c)
        AppendUtf8(c, many);
    const std::string path = m_folder.Write("many.txt", many);
    EXPECT_FALSE(document.OpenDocumentFile(path));
    ASSERT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_EQ(m_prompter.m_messages[0],
              path + Hex("2082c982cd2053686966745f4a49532082c982c882a295b68e9a82aa91bd82b782ac82c4"
                         "8a4a82af82dc82b982f1816931363737208eed97de816a8142"));
    EXPECT_EQ(m_view.m_strText, "kept");
    EXPECT_EQ(document.Codec().CodesGiven(), 0u);
}

// The codes belong to the open text: a Shift_JIS file read after a UTF-8 one with an
// emoji keeps its unassigned pair 81 AD as its own bytes, also when a smile file with
// that emoji smiles it, and the document's own set is encoded again for each text.
TEST_F(EncodingTest, EachFileStartsTheCodesAfreshAndKeepsItsOwnPairs)
{
    m_profile.WriteProfileString("Settings", "modeFilePath",
                                 m_folder.Write("lack.grn", "r " + kWaveUtf8 + " " + kSmileUtf8 + "\n"));
    m_profile.WriteProfileInt("Settings", "frequency", 100);
    m_profile.WriteProfileInt("Settings", "ReturnCode", 0);
    CChirpwellDoc& document = MakeDocument();
    document.OnViewInitialUpdate();
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("u.txt", "a" + kWaveUtf8)));
    EXPECT_EQ(m_view.m_strText, "a" + Hex("81AE"));  // 〜 81AD became 😀 81AE

    // Detected, the file would be Shift_JIS-2004, which has a character at 81 AD.
    const std::string holes = Hex("8365 8358 8367 81AD 82C5 82B7 8142") + "\r\n";
    m_view.m_bDetectsEncoding = false;
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("s.txt", holes)));
    EXPECT_EQ(m_view.m_strText, holes);
    EXPECT_EQ(document.Codec().CharacterOf(0x81AD), 0u);
    m_prompter.m_openAnswers.push_back(std::string(CHIRPWELL_SOURCE_DIR) + "/samples/emoji.grn");
    document.OnSmileWithFile();
    EXPECT_NE(m_view.m_strText, holes);
    EXPECT_EQ(document.Codec().CharacterOf(0x81AD), 0u);
    document.OnUndo();
    SaveAs(document, m_folder.PathOf("s2.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("s2.txt")), holes);
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

// A file whose own pairs leave the smile set no codes opens unsmiled, with a message.
TEST_F(EncodingTest, ASmileSetWithoutCodesLeftOpensTheFileUnsmiled)
{
    m_profile.WriteProfileString("Settings", "modeFilePath",
                                 m_folder.Write("lack.grn", "r . " + kSmileUtf8 + "\n"));
    m_profile.WriteProfileInt("Settings", "frequency", 100);
    CChirpwellDoc& document = MakeDocument();
    document.OnViewInitialUpdate();
    std::string every;
    for (int index = 0; index < static_cast<int>(kCp932FreeCodeCount); ++index) {
        every += static_cast<char>(kCp932FreeCodes[index] >> 8);
        every += static_cast<char>(kCp932FreeCodes[index] & 0xFF);
    }
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("full.txt", every + ".")));
    EXPECT_EQ(m_view.m_strText, every + ".");
    EXPECT_EQ(m_prompter.m_messages.size(), 1u);
    EXPECT_FALSE(document.Converter().HasSmileSet());
    // The next file gives the set back.
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("a.txt", ".")));
    EXPECT_EQ(m_view.m_strText, Hex("81AD"));
    EXPECT_TRUE(document.Converter().HasSmileSet());
}

// The window reads each encoding, shows it in the status bar and saves it back as
// it came; "UTF-16" keeps the order of the mark a text was read with.
TEST_F(EncodingTest, EveryEncodingOpensAndSavesBackAsItCame)
{
    m_profile.WriteProfileInt("Settings", "ReturnCode", 0);
    m_profile.WriteProfileInt("Settings", "frequency", 0);
    m_profile.WriteProfileString("Settings", "modeFilePath", "????");
    CChirpwellDoc& document = MakeDocument();
    document.OnViewInitialUpdate();
    const std::pair<const char*, EEncoding> files[] = {
        {"sample.iso2022jp", EEncoding::Iso2022Jp},
        {"sample.utf16", EEncoding::Utf16LeBom},
        {"jisx0213.sjis2004", EEncoding::ShiftJis2004},
        {"jisx0213.eucjis2004", EEncoding::EucJis2004},
    };
    for (const auto& [name, encoding] : files) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(std::string(CHIRPWELL_SOURCE_DIR) + "/tests/data/" + name);
        ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write(name, bytes)));
        EXPECT_EQ(m_frame.m_encodings.back(), encoding);
        SaveAs(document, m_folder.PathOf("saved"));
        EXPECT_EQ(ReadBytes(m_folder.PathOf("saved")), bytes);
    }
    const std::string bigEndian = Hex("FEFF 3042 000D 000A");
    ASSERT_TRUE(document.OpenDocumentFile(m_folder.Write("be.txt", bigEndian)));
    document.OnSaveEncoding(EEncoding::Utf16LeBom);
    SaveAs(document, m_folder.PathOf("be2.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("be2.txt")), bigEndian);
    document.OnSaveEncoding(EEncoding::Utf16Le);
    SaveAs(document, m_folder.PathOf("le.txt"));
    EXPECT_EQ(ReadBytes(m_folder.PathOf("le.txt")), Hex("4230 0D00 0A00"));
    EXPECT_TRUE(m_prompter.m_messages.empty());
}

}  // namespace
