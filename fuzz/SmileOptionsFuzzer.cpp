// chirpwell-smile's command line: the input, split at zero bytes, is the arguments
// after the program's name. getopt keeps state between calls, so the same line read
// twice must give the same result; and what is read must hold together.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/SmileOptions.h"
#include "engine/BuildFacts.h"
#include "fuzz/FuzzSupport.h"

namespace {

constexpr std::size_t kMaxArguments = 64;

EParseResult Parse(const std::vector<std::string>& words, CSmileOptions& options,
                   std::string& message)
{
    // getopt reorders argv, so each reading gets a copy of its own.
    std::vector<std::string> arguments = words;
    arguments.insert(arguments.begin(), "chirpwell-smile");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return ParseSmileOptions(static_cast<int>(arguments.size()), argv.data(), options, message);
}

bool SameOptions(const CSmileOptions& left, const CSmileOptions& right)
{
    return left.m_eMode == right.m_eMode && left.m_nFrequency == right.m_nFrequency &&
           left.m_strSmileFile == right.m_strSmileFile && left.m_bHtml == right.m_bHtml &&
           left.m_bComments == right.m_bComments && left.m_bKeepNewlines == right.m_bKeepNewlines &&
           left.m_bSeedGiven == right.m_bSeedGiven && left.m_nSeed == right.m_nSeed &&
           left.m_strPlaces == right.m_strPlaces && left.m_strZenkaku == right.m_strZenkaku &&
           left.m_strHankaku == right.m_strHankaku && left.m_inputEncoding == right.m_inputEncoding &&
           left.m_outputEncoding == right.m_outputEncoding &&
           left.m_smileEncoding == right.m_smileEncoding &&
           left.m_strOutput == right.m_strOutput && left.m_strInput == right.m_strInput;
}

bool IsOneOf(const std::string& word, const std::vector<std::string>& words)
{
    for (const std::string& candidate : words) {
        if (candidate == word)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < input.size() && words.size() < kMaxArguments) {
        const std::size_t end = input.find('\0', start);
        words.push_back(input.substr(start, end - start));
        start = end == std::string::npos ? input.size() : end + 1;
    }

    CSmileOptions first;
    CSmileOptions second;
    std::string firstMessage;
    std::string secondMessage;
    const EParseResult result = Parse(words, first, firstMessage);
    FUZZ_CHECK(Parse(words, second, secondMessage) == result);
    FUZZ_CHECK(firstMessage == secondMessage);
    FUZZ_CHECK(SameOptions(first, second));

    switch (result) {
    case EParseResult::Exit:
        FUZZ_CHECK(firstMessage == std::string("chirpwell-smile ") + kVersion + "\n" ||
                   firstMessage.starts_with("Usage: chirpwell-smile"));
        break;
    case EParseResult::BadUsage:
        FUZZ_CHECK(!firstMessage.empty());
        break;
    case EParseResult::Run:
        FUZZ_CHECK(firstMessage.empty());
        // Censoring and reversing take none of smiling's options.
        if (first.m_eMode != ECliMode::Smile)
            FUZZ_CHECK(first.m_strSmileFile.empty() && !first.m_bHtml && !first.m_bComments &&
                       !first.m_bKeepNewlines);
        FUZZ_CHECK(first.m_strInput.empty() || IsOneOf(first.m_strInput, words));
        FUZZ_CHECK(first.m_strOutput.empty() || first.m_strOutput.find('\0') == std::string::npos);
        break;
    }
    return 0;
}
