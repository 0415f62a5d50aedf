#ifndef CHIRPWELL_CLI_SMILEOPTIONS_H
#define CHIRPWELL_CLI_SMILEOPTIONS_H

#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineTexts.h"
#include "engine/text/Encoding.h"

enum class ECliMode { Smile, Censor, Reverse };

// What one run of chirpwell-smile was asked to do. Texts are UTF-8 as given.
struct CSmileOptions {
    ECliMode m_eMode = ECliMode::Smile;
    int m_nFrequency = 2;
    std::string m_strSmileFile;  // empty: the built-in set
    bool m_bHtml = false;
    bool m_bComments = false;
    bool m_bKeepNewlines = false;
    bool m_bSeedGiven = false;
    std::uint32_t m_nSeed = 0;
    std::string m_strPlaces;  // empty: none
    std::string m_strZenkaku = kDefaultZenkaku;
    std::string m_strHankaku = kDefaultHankaku;
    std::optional<EEncoding> m_inputEncoding;   // none: detected
    std::optional<EEncoding> m_outputEncoding;  // none: the input's
    std::optional<EEncoding> m_smileEncoding;   // none: detected
    std::string m_strOutput;  // empty: standard output
    std::string m_strInput;   // empty or "-": standard input
    bool m_bStream = false;   // smiled as it is read, without a size limit
};

enum class EParseResult { Run, Exit, BadUsage };

// Reads the command line. Exit comes with the help or version text in message,
// BadUsage with what is wrong.
EParseResult ParseSmileOptions(int argc, char** argv, CSmileOptions& options,
                               std::string& message);

#endif
