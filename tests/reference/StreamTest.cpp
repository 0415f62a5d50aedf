#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/text/Encoding.h"
#include "tests/fakes/WholeFiles.h"
#include "tests/reference/StreamRuns.h"

// The stream against one run of the pipeline over the whole text without limits, on
// the fuzz corpus and on real documents in every encoding, with each cut: at every
// position of a small text, at every byte, and at random places of large ones.

namespace {

namespace fs = std::filesystem;

// The files of the folders, by path.
std::vector<fs::path> FilesIn(const std::vector<fs::path>& folders)
{
    std::vector<fs::path> files;
    for (const fs::path& folder : folders) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().filename() != "README")
                files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

const fs::path kSource = CHIRPWELL_SOURCE_DIR;

std::string EmojiSmileFile()
{
    return ReadAll(kSource / "samples" / "emoji.grn");
}

// Settings that reach every stage: the default, every filter and every position
// tried, a set with characters that CP932 lacks, and keys longer than a slice's end.
std::vector<CStreamSettings> SettingsToTry()
{
    std::vector<CStreamSettings> settings(5);
    settings[1].m_nFrequency = 100;
    settings[1].m_bHtml = true;
    settings[1].m_bComments = true;
    settings[1].m_nSeed = 7;
    settings[2].m_nFrequency = 40;
    settings[2].m_strSmileFile = EmojiSmileFile();
    settings[2].m_output = EEncoding::Utf8;
    settings[3].m_nFrequency = 60;
    settings[3].m_bNewlines = false;
    settings[3].m_bComments = true;
    settings[3].m_strSmileFile =
        "r 。 。」\nd 、\nr です。 ではありません。\nr 。#n、 x\n";
    settings[3].m_output = EEncoding::Iso2022Jp;
    settings[4].m_nFrequency = 25;
    settings[4].m_bHtml = true;
    settings[4].m_output = EEncoding::Utf16LeBom;
    return settings;
}

// The settings with the input's encoding named as the stream detects it: a stream
// whose encoding is detected holds its first 64 KiB back, so that only a named one
// is cut as it is fed.
CStreamSettings Named(CStreamSettings settings, const std::string& input)
{
    settings.m_input = SmileStream(settings, input, {}).m_eInput;
    return settings;
}

std::vector<std::size_t> EveryByte(std::size_t size)
{
    std::vector<std::size_t> cuts(size);
    for (std::size_t k = 0; k < size; ++k)
        cuts[k] = k;
    return cuts;
}

std::vector<std::size_t> RandomCuts(std::mt19937& engine, std::size_t size, std::size_t count)
{
    std::vector<std::size_t> cuts(count);
    for (std::size_t& cut : cuts)
        cut = size == 0 ? 0 : engine() % size;
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

}  // namespace

TEST(StreamTest, MatchesTheWholeTextCutAtEveryPosition)
{
    const std::vector<CStreamSettings> settings = SettingsToTry();
    for (const fs::path& path : FilesIn({kSource / "fuzz" / "corpus", kSource / "tests" / "data"})) {
        const std::string input = ReadAll(path);
        if (input.size() > 1200)
            continue;
        SCOPED_TRACE(path.string());
        for (std::size_t k = 0; k < settings.size(); ++k) {
            SCOPED_TRACE("settings " + std::to_string(k));
            const CStreamSettings named = Named(settings[k], input);
            for (std::size_t cut = 0; cut <= input.size(); ++cut)
                ASSERT_EQ(CompareStreamWithWhole(named, input, {cut}), "") << "cut " << cut;
        }
    }
}

TEST(StreamTest, MatchesTheWholeTextFedByteByByte)
{
    const std::vector<CStreamSettings> settings = SettingsToTry();
    for (const fs::path& path : FilesIn({kSource / "tests" / "data", kSource / "samples"})) {
        const std::string input = ReadAll(path);
        SCOPED_TRACE(path.string());
        for (std::size_t k = 0; k < settings.size(); ++k) {
            SCOPED_TRACE("settings " + std::to_string(k));
            ASSERT_EQ(CompareStreamWithWhole(Named(settings[k], input), input,
                                             EveryByte(input.size())),
                      "");
        }
    }
}

TEST(StreamTest, MatchesTheWholeTextOfLargeDocumentsCutAtRandom)
{
    std::mt19937 engine(21);
    const std::vector<CStreamSettings> settings = SettingsToTry();
    for (const fs::path& path : FilesIn({kSource / "tests" / "data"})) {
        // Past the bytes the encoding is detected from and many slices long.
        const std::string document = ReadAll(path);
        std::string input;
        while (input.size() < 300 * 1024)
            input += document;
        SCOPED_TRACE(path.string());
        for (std::size_t k = 0; k < settings.size(); ++k) {
            SCOPED_TRACE("settings " + std::to_string(k));
            for (const std::size_t count : {1, 40, 3000})
                ASSERT_EQ(CompareStreamWithWhole(settings[k], input,
                                                 RandomCuts(engine, input.size(), count)),
                          "");
        }
    }
}
