#ifndef CHIRPWELL_TESTS_DOCUMENT_DOCTEST_H
#define CHIRPWELL_TESTS_DOCUMENT_DOCTEST_H

#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "document/ChirpwellDoc.h"
#include "programs/FixedClock.h"
#include "tests/fakes/FakeDocFrame.h"
#include "tests/fakes/FakeDocView.h"
#include "tests/fakes/FakeProfile.h"
#include "tests/fakes/FakeProgressFactory.h"
#include "tests/fakes/FakePrompter.h"
#include "tests/fakes/FakeWorkingDirectory.h"
#include "tests/fakes/Hex.h"

// The texts the tests expect, in CP932, written out by hand.
namespace expected {
inline const std::string kGettingText = Hex("8365834c835883678ee693be928682c58ce48dc082e98142");
inline const std::string kHtml = Hex("82678273826c826b8f88979d928682c58ce48dc082e98142");
inline const std::string kComments =
    Hex("826281438262817b817b83528381839383678f88979d928682c58ce48dc082e98142");
inline const std::string kNewlines =
    Hex("89fc8d738352815b83688f88979d928682c58ce48dc082e98142");
inline const std::string kSmiling = Hex("94f78fce82f182c582a282e98dc5928682c58ce48dc082e98142");
inline const std::string kSettingText = Hex("8365834c8358836790dd92e8928682c58ce48dc082e98142");
inline const std::string kTooLong =
    Hex("95b68e9a97f182cc92b782b382aa8cc08a4582f092b482a682dc82b582bd814282b182cc95cf8ab7"
        "82cd96b38cf882c582b78142");
inline const std::string kSmileFileFailed =
    Hex("90dd92e8837483408343838b82cc838d815b836882c98eb8947382b582dc82b582bd8142");
inline const std::string kFileTooLarge =
    Hex("cca7b2d982aa91e582ab82b782ac82c48a4a82af82dc82b982f18142");
inline const std::string kAskReload =
    Hex("90dd92e882aa95cf8d5882b382ea82bd82a982e082b582ea82dc82b982f18142837483408343838b"
        "82f08dc4838d815b836882b582dc82b782a98148");
inline const std::string kCancelFailed =
    Hex("834c83838393835a838b8f88979d928682c983478389815b82aa94ad90b682b582dc82b582bd8142");
inline const std::string kLine2Error =
    Hex("91e6328d7382c593c782dd8d9e82dd83478389815b82aa8b4e82ab82dc82b582bd8142");
inline const std::string kNoPlaceBelow =
    Hex("82e082a482b182b182e682e88ce382eb82c982cd82c882a283888142");
inline const std::string kNoPlaceAbove =
    Hex("82e082a482b182b182e682e8914f82c982cd82c882a283888142");
inline const std::string kBuiltInName = Hex("95cf82ed82e782ca8fce8ae7");  // 変わらぬ笑顔
inline const std::string kSampleName = Hex("8ca9967b");                  // 見本
// "%1 を開けません。\n" without %1, and the reasons that may follow it.
inline const std::string kCannotOpen = Hex("2082f08a4a82af82dc82b982f18142 0a");
inline const std::string kNotRegularFile =
    Hex("92ca8fed82cc837483408343838b82c582cd82a082e882dc82b982f18142");
// スマイルファイル %1 を読めません。スマイルの規則はありません。
inline std::string SmileFileNotice(const std::string& path)
{
    return Hex("8358837d8343838b837483408343838b20") + path +
           Hex("2082f093c782df82dc82b982f181428358837d8343838b82cc8b4b91a582cd82a082e882dc"
               "82b982f18142");
}
}  // namespace expected

// A folder of its own under the system's temporary folder, removed with everything in it.
class CTemporaryFolder {
public:
    CTemporaryFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "chirpwell-doc-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~CTemporaryFolder()
    {
        std::error_code error;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, error);
    }
    CTemporaryFolder(const CTemporaryFolder&) = delete;
    CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;

    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }

    // Writes bytes to name and gives its full path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A document on fakes. The profile may be prepared before MakeDocument; the clock
// stands still, so every smile of a test is seeded alike.
class CDocTest : public ::testing::Test {
protected:
    CChirpwellDoc& MakeDocument()
    {
        m_document = std::make_unique<CChirpwellDoc>(CDocPorts{
            m_prompter, m_progress, m_profile, m_clock, m_workingDirectory, m_frame});
        m_document->SetView(&m_view);
        return *m_document;
    }
    // A ready document whose own set is the one-rule smile file below at frequency
    // 100, so that every "." becomes "!." and nothing is left to chance.
    CChirpwellDoc& MakeReadyDocument()
    {
        m_profile.WriteProfileString("Settings", "modeFilePath", BangFile());
        m_profile.WriteProfileInt("Settings", "frequency", 100);
        CChirpwellDoc& document = MakeDocument();
        document.OnViewInitialUpdate();
        return document;
    }
    // n 見本 / r . !.
    std::string BangFile()
    {
        return m_folder.Write("bang.grn", "n " + expected::kSampleName + "\r\nr . !.\r\n");
    }
    // Smiles text with the document's own set, as smiling again does.
    void Smile(const std::string& text)
    {
        m_view.m_strText = text;
        m_document->OnSmileAgain();
    }

    CTemporaryFolder m_folder;
    CFakeProfile m_profile;
    CFixedClock m_clock{1000000};
    CFakePrompter m_prompter;
    CFakeProgressFactory m_progress;
    CFakeWorkingDirectory m_workingDirectory;
    CFakeDocFrame m_frame;
    CFakeDocView m_view;
    std::unique_ptr<CChirpwellDoc> m_document;
};

#endif
