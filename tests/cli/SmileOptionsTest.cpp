#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/SmileOptions.h"

namespace {

EParseResult Parse(std::vector<std::string> arguments, CSmileOptions& options,
                   std::string& message)
{
    arguments.insert(arguments.begin(), "chirpwell-smile");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    options = CSmileOptions();
    return ParseSmileOptions(static_cast<int>(arguments.size()), argv.data(), options, message);
}

TEST(SmileOptionsTest, EveryOptionReachesItsField)
{
    CSmileOptions options;
    std::string message;
    ASSERT_EQ(Parse({"-f", "-5", "-s", "set.grn", "--html", "--comments", "--keep-newlines",
                     "--seed=4294967295", "--places=p.txt", "--zenkaku=X", "--hankaku=y",
                     "--encoding=EUCJP", "--output-encoding=utf8", "--smile-encoding=Sjis",
                     "-o", "out.txt", "in.txt"},
                    options, message),
              EParseResult::Run)
        << message;
    EXPECT_EQ(options.m_eMode, ECliMode::Smile);
    EXPECT_EQ(options.m_nFrequency, -5);
    EXPECT_EQ(options.m_strSmileFile, "set.grn");
    EXPECT_TRUE(options.m_bHtml && options.m_bComments && options.m_bKeepNewlines);
    EXPECT_TRUE(options.m_bSeedGiven);
    EXPECT_EQ(options.m_nSeed, 4294967295u);
    EXPECT_EQ(options.m_strPlaces, "p.txt");
    EXPECT_EQ(options.m_strZenkaku, "X");
    EXPECT_EQ(options.m_strHankaku, "y");
    EXPECT_EQ(options.m_inputEncoding, EEncoding::EucJp);
    EXPECT_EQ(options.m_outputEncoding, EEncoding::Utf8);
    EXPECT_EQ(options.m_smileEncoding, EEncoding::ShiftJis);
    EXPECT_EQ(options.m_strOutput, "out.txt");
    EXPECT_EQ(options.m_strInput, "in.txt");

    // A second reading in the same process starts afresh; the last of two settings wins.
    ASSERT_EQ(Parse({"--utf8", "--censor", "--encoding=auto"}, options, message),
              EParseResult::Run);
    EXPECT_EQ(options.m_eMode, ECliMode::Censor);
    EXPECT_FALSE(options.m_inputEncoding);
    EXPECT_FALSE(options.m_bSeedGiven);
    EXPECT_EQ(options.m_strInput, "");
    ASSERT_EQ(Parse({"--reverse", "--utf8", "-"}, options, message), EParseResult::Run);
    EXPECT_EQ(options.m_eMode, ECliMode::Reverse);
    EXPECT_EQ(options.m_inputEncoding, EEncoding::Utf8);
    EXPECT_EQ(options.m_strInput, "-");
}

TEST(SmileOptionsTest, HelpAndVersionEndTheRunAndBadLinesSayWhy)
{
    CSmileOptions options;
    std::string message;
    EXPECT_EQ(Parse({"-f", "1", "--help", "--no-such-option"}, options, message), EParseResult::Exit);
    EXPECT_EQ(message.rfind("Usage: chirpwell-smile", 0), 0u);
    EXPECT_EQ(Parse({"--version"}, options, message), EParseResult::Exit);
    EXPECT_EQ(message.rfind("chirpwell-smile ", 0), 0u);

    for (const std::vector<std::string>& line : std::vector<std::vector<std::string>>{
             {"-f", "2x"}, {"-f", "2147483648"}, {"--seed=-1"}, {"--seed"},
             {"--output-encoding=auto"}, {"--encoding=utf16"}, {"--censor", "-s", "x"},
             {"a", "b"}, {"-x"}}) {
        SCOPED_TRACE(line.front());
        EXPECT_EQ(Parse(line, options, message), EParseResult::BadUsage);
        EXPECT_FALSE(message.empty());
    }
}

}  // namespace
