// chirpwell-smile: the open-and-smile pipeline of Chirpwell as a filter for scripts.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/Output.h"
#include "cli/SmileOptions.h"
#include "engine/Converter.h"
#include "engine/Cp932.h"
#include "engine/EngineTexts.h"
#include "engine/INotifier.h"
#include "engine/IProgress.h"
#include "engine/Limits.h"
#include "engine/Pipeline.h"
#include "engine/Random.h"
#include "engine/SystemClock.h"
#include "engine/TextFile.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitTooLong = 1;
constexpr int kExitFailed = 2;

// Prints the engine's messages on standard error, in UTF-8.
class CStderrNotifier : public INotifier {
public:
    void ShowMessage(const std::string& text) override
    {
        std::string utf8;
        if (!Cp932ToUtf8(text, utf8))
            utf8 = text;
        std::fprintf(stderr, "chirpwell-smile: %s%s\n", m_strContext.c_str(), utf8.c_str());
    }
    std::string m_strContext;  // what the next messages are about, as "name: "
};

class CSilentProgress : public IProgress {
public:
    void SetCaption(const std::string&) override {}
    void SetPosition(int) override {}
};

// A clock stopped at the seed: the engine seeds itself from the clock, so a given
// seed makes every run the same.
class CSeedClock : public IClock {
public:
    explicit CSeedClock(std::uint32_t seed) : m_nSeed(seed) {}
    std::int64_t Now() override { return m_nSeed; }

private:
    std::uint32_t m_nSeed;
};

void Fail(const std::string& message)
{
    std::fprintf(stderr, "chirpwell-smile: %s\n", message.c_str());
}

// "LINE:COLUMN" of a byte offset in UTF-8 text, both from 1, columns in characters.
std::string LineAndColumn(std::string_view utf8, std::size_t offset)
{
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\n') {
            ++line;
            column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++column;
        }
    }
    return std::to_string(line) + ":" + std::to_string(column);
}

// The code point that starts at offset of valid UTF-8, as "U+XXXX".
std::string CodePointAt(std::string_view utf8, std::size_t offset)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data()) + offset;
    unsigned long value = bytes[0];
    int extra = 0;
    if (value >= 0xF0) {
        value &= 0x07;
        extra = 3;
    } else if (value >= 0xE0) {
        value &= 0x0F;
        extra = 2;
    } else if (value >= 0xC0) {
        value &= 0x1F;
        extra = 1;
    }
    for (int k = 1; k <= extra; ++k)
        value = (value << 6) | (bytes[k] & 0x3F);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04lX", value);
    return buffer;
}

bool ReadsStdin(const std::string& path)
{
    return path.empty() || path == "-";
}

// What messages call the input.
std::string InputName(const std::string& path)
{
    return ReadsStdin(path) ? "(standard input)" : path;
}

bool ReadInput(const std::string& path, std::string& bytes)
{
    const bool fromStdin = ReadsStdin(path);
    const std::string name = InputName(path);
    std::error_code error;
    const bool read = fromStdin ? ReadStreamBytes(stdin, bytes, error, kTextLimit)
                                : ReadFileBytes(path, bytes, error, kTextLimit);
    if (!read) {
        Fail(name + ": " + error.message());
        return false;
    }
    if (bytes.size() > kTextLimit) {
        Fail(name + ": " + kMsgFileTooLarge + " (more than " + std::to_string(kTextLimit) +
             " bytes)");
        return false;
    }
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string::npos) {
        Fail(name + ": a zero byte at byte " + std::to_string(zero) +
             "; this is no text file");
        return false;
    }
    return true;
}

bool InputToCp932(const std::string& name, const std::string& utf8, std::string& cp932)
{
    CCodecError error;
    if (Utf8ToCp932(utf8, cp932, &error))
        return true;
    const std::string where = name + ":" + LineAndColumn(utf8, error.m_nOffset) + ": ";
    if (error.m_bMalformed)
        Fail(where + "invalid UTF-8");
    else
        Fail(where + "the character " + CodePointAt(utf8, error.m_nOffset) +
             " has no CP932 form");
    return false;
}

bool CensorCharacter(const char* option, const std::string& utf8, std::string& cp932)
{
    CCodecError error;
    if (Utf8ToCp932(utf8, cp932, &error))
        return true;
    if (error.m_bMalformed)
        Fail(std::string(option) + ": invalid UTF-8");
    else
        Fail(std::string(option) + ": the character " + CodePointAt(utf8, error.m_nOffset) +
             " has no CP932 form");
    return false;
}

bool LoadSmileSet(CConverter& converter, CStderrNotifier& notifier, const std::string& path)
{
    if (path.empty()) {
        converter.LoadBuiltInSet();
        return true;
    }
    // The loader tells nothing of a file it cannot open, so ask first for a reason.
    std::string bytes;
    std::error_code error;
    if (!ReadFileBytes(path, bytes, error)) {
        Fail(path + ": " + error.message());
        Fail(kMsgSmileFileFailed);
        return false;
    }
    notifier.m_strContext = path + ": ";
    const bool loaded = converter.LoadSmileFile(path);
    notifier.m_strContext.clear();
    if (!loaded)
        Fail(kMsgSmileFileFailed);
    return loaded;
}

std::string PlacesText(const CSmilePlaceList& places)
{
    std::string text;
    for (const CSmilePlace& place : places)
        text += std::to_string(place.m_nPosition) + " " + std::to_string(place.m_nLength) + "\n";
    return text;
}

int Run(const CSmileOptions& options)
{
    std::string input;
    if (!ReadInput(options.m_strInput, input))
        return kExitFailed;
    std::string text;
    if (options.m_bUtf8) {
        if (!InputToCp932(InputName(options.m_strInput), input, text))
            return kExitFailed;
    } else {
        text = std::move(input);
    }

    CSystemClock systemClock;
    CSeedClock seedClock(options.m_nSeed);
    IClock& clock = options.m_bSeedGiven ? static_cast<IClock&>(seedClock) : systemClock;
    CRandom random(clock);
    CStderrNotifier notifier;
    CSilentProgress progress;
    CConverter converter(notifier, random);
    converter.m_nFrequency = options.m_nFrequency;
    converter.m_bHTMLCut = options.m_bHtml;
    converter.m_bCPPCut = options.m_bComments;
    converter.m_bReturnCode = !options.m_bKeepNewlines;
    if (!CensorCharacter("--zenkaku", options.m_strZenkaku, converter.m_strZenkaku) ||
        !CensorCharacter("--hankaku", options.m_strHankaku, converter.m_strHankaku))
        return kExitFailed;

    if (options.m_eMode == ECliMode::Censor) {
        converter.Censor(text);
    } else if (options.m_eMode == ECliMode::Reverse) {
        converter.Reverse(text);
    } else {
        if (!LoadSmileSet(converter, notifier, options.m_strSmileFile))
            return kExitFailed;
        random.SeedFromClock();
        if (!FilterAndSmile(converter, converter, text, progress)) {
            Fail(kMsgTooLong);
            return kExitTooLong;
        }
    }

    std::string result;
    if (options.m_bUtf8) {
        CCodecError error;
        if (!Cp932ToUtf8(text, result, &error)) {
            Fail("the result is no CP932 text at byte " + std::to_string(error.m_nOffset) +
                 " (a smile landed inside a two-byte character) and cannot be written as UTF-8");
            return kExitFailed;
        }
    } else {
        result = std::move(text);
    }

    COutput output;
    if (!options.m_strPlaces.empty())
        output.Add(options.m_strPlaces, PlacesText(converter.SmilePlaces()));
    output.Add(options.m_strOutput, std::move(result));
    std::string error;
    if (!output.Commit(error)) {
        Fail(error);
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace

int main(int argc, char** argv)
{
    CSmileOptions options;
    std::string message;
    switch (ParseSmileOptions(argc, argv, options, message)) {
    case EParseResult::Run:
        return Run(options);
    case EParseResult::Exit:
        std::fputs(message.c_str(), stdout);
        return kExitDone;
    case EParseResult::BadUsage:
        Fail(message);
        std::fputs("Try 'chirpwell-smile --help' for more information.\n", stderr);
        return kExitFailed;
    }
    return kExitFailed;
}
