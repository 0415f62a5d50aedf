// A whole run of chirpwell-smile on files in a temporary folder. Input: a switches
// byte, a frequency byte, an output byte, a places byte, a stretch byte, four bytes
// that split the rest into a smile file and the text (when the switches ask for a
// smile file), then the rest. The stretch byte may repeat the text or the smile file
// to around the limit of 1,048,575 bytes, which few inputs would reach. Whatever
// happens, a
// run ends with 0, 1 or 2, with a message unless 0, leaves no temporary file, and
// changes nothing unless it ends with 0; then what it wrote is what a run to
// standard output writes, and the places lie in it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "cli/SmileOptions.h"
#include "cli/SmileRun.h"
#include "fuzz/FuzzSupport.h"
#include "tests/fakes/WholeFiles.h"

namespace {

namespace fs = std::filesystem;

// What the output or the places file is.
enum class ETarget { None, NewFile, OldFile, Link, Device, Folder, Input, Count };

// A folder of the process's own, there while an input runs: libFuzzer ends the
// process without running exit handlers, so each input takes it away again.
const fs::path& Folder()
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "chirpwell-run-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        return fs::path(pattern);
    }();
    return folder;
}

class CFolderForInput {
public:
    CFolderForInput() { fs::create_directories(Folder()); }
    ~CFolderForInput() { fs::remove_all(Folder()); }
    CFolderForInput(const CFolderForInput&) = delete;
    CFolderForInput& operator=(const CFolderForInput&) = delete;
};

// What a target holds before the run: nothing, old bytes, or a device or folder.
std::string Before(const fs::path& path)
{
    std::error_code error;
    if (fs::is_character_file(path, error))
        return "<device>";
    if (fs::is_directory(path, error))
        return "<folder>";
    return fs::exists(path, error) ? ReadAll(path) : std::string("<none>");
}

// Makes the target of a kind under name; the path the run is given.
std::string MakeTarget(ETarget kind, const std::string& name, const fs::path& input)
{
    const fs::path path = Folder() / name;
    switch (kind) {
    case ETarget::None:
        return std::string();
    case ETarget::NewFile:
        break;
    case ETarget::OldFile:
        WriteAll(path, "old " + name);
        break;
    case ETarget::Link:
        WriteAll(Folder() / (name + ".target"), "old " + name);
        fs::create_symlink(name + ".target", path);
        break;
    case ETarget::Device:
        // Where no device can be made (not root), a file stands in.
        if (::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0)
            WriteAll(path, "old " + name);
        break;
    case ETarget::Folder:
        fs::create_directory(path);
        break;
    case ETarget::Input:
    case ETarget::Count:
        return input.string();
    }
    return path.string();
}

struct CRunResult {
    int m_nExit = -1;
    std::string m_strOut;
    std::string m_strErr;
};

CRunResult Run(const CSmileOptions& options, const fs::path& standardInput)
{
    const fs::path out = Folder() / "stdout";
    const fs::path err = Folder() / "stderr";
    std::FILE* in = std::fopen(standardInput.c_str(), "rb");
    std::FILE* stdoutFile = std::fopen(out.c_str(), "wb");
    std::FILE* stderrFile = std::fopen(err.c_str(), "wb");
    FUZZ_CHECK(in && stdoutFile && stderrFile);
    CRunResult result;
    result.m_nExit = RunSmile(options, {in, stdoutFile, stderrFile});
    std::fclose(in);
    std::fclose(stdoutFile);
    std::fclose(stderrFile);
    result.m_strOut = ReadAll(out);
    result.m_strErr = ReadAll(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

// bytes repeated to one byte below the limit, the limit, or one or two above.
std::string Stretched(const std::string& bytes, std::uint8_t stretch)
{
    if (bytes.empty())
        return bytes;
    const std::size_t size = kTextLimit - 1 + (stretch & 0x03);
    std::string stretched;
    stretched.reserve(size + bytes.size());
    while (stretched.size() < size)
        stretched += bytes;
    stretched.resize(size);
    return stretched;
}

void CheckPlaces(const std::string& places, std::size_t outputSize)
{
    std::istringstream lines(places);
    std::size_t position = 0;
    std::size_t length = 0;
    std::size_t previous = 0;
    while (lines >> position >> length) {
        FUZZ_CHECK(position >= previous && position + length <= outputSize);
        previous = position + length;
    }
    FUZZ_CHECK(lines.eof());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInput input(data, size);
    const std::uint8_t switches = input.TakeByte();
    const int frequency = FrequencyFrom(input.TakeByte());
    const auto outputKind = static_cast<ETarget>(input.TakeByte() % static_cast<int>(ETarget::Count));
    const auto placesKind = static_cast<ETarget>(input.TakeByte() % static_cast<int>(ETarget::Count));
    const std::uint8_t stretch = input.TakeByte();
    const std::uint32_t split = input.TakeUint32();
    std::string text = input.Rest();

    const CFolderForInput folder;
    CSmileOptions options;
    options.m_nFrequency = frequency;
    options.m_bSeedGiven = true;
    options.m_nSeed = split;
    options.m_eMode = (switches & 0x03) == 1   ? ECliMode::Censor
                      : (switches & 0x03) == 2 ? ECliMode::Reverse
                                               : ECliMode::Smile;
    // Without a named encoding the input's is detected.
    if ((switches & 0x04) != 0)
        options.m_inputEncoding = (switches & 0x80) != 0 ? EEncoding::EucJp : EEncoding::Utf8;
    if (options.m_eMode == ECliMode::Smile) {
        options.m_bHtml = (switches & 0x08) != 0;
        options.m_bComments = (switches & 0x10) != 0;
        options.m_bKeepNewlines = (switches & 0x20) != 0;
        if ((switches & 0x40) != 0) {
            const std::size_t at = split % (text.size() + 1);
            options.m_strSmileFile = (Folder() / "set.grn").string();
            std::string smileFile = text.substr(0, at);
            text.erase(0, at);
            if (stretch >> 4 == 0xE)
                smileFile = Stretched(smileFile, stretch);
            WriteAll(options.m_strSmileFile, smileFile);
        }
    }
    if (stretch >> 4 == 0xF)
        text = Stretched(text, stretch);
    const fs::path textFile = Folder() / "in.txt";
    WriteAll(textFile, text);
    const bool fromStdin = (switches & 0x80) != 0;
    options.m_strInput = fromStdin ? std::string() : textFile.string();
    options.m_strOutput = MakeTarget(outputKind, "out", textFile);
    options.m_strPlaces = MakeTarget(placesKind, "places", textFile);
    const std::string outputBefore = Before(Folder() / "out");
    const std::string placesBefore = Before(Folder() / "places");
    const std::string linkedBefore = Before(Folder() / "out.target");

    const CRunResult run = Run(options, fromStdin ? textFile : fs::path("/dev/null"));
    FUZZ_CHECK(run.m_nExit == 0 || run.m_nExit == 1 || run.m_nExit == 2);
    FUZZ_CHECK((run.m_nExit == 0) == run.m_strErr.empty());
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder()))
        FUZZ_CHECK(!entry.path().filename().string().starts_with(".chirpwell-"));
    // A device is written, never replaced.
    if (outputBefore == "<device>")
        FUZZ_CHECK(Before(Folder() / "out") == "<device>");
    if (placesBefore == "<device>")
        FUZZ_CHECK(Before(Folder() / "places") == "<device>");
    if (run.m_nExit != 0) {
        FUZZ_CHECK(run.m_strOut.empty());
        FUZZ_CHECK(Before(Folder() / "out") == outputBefore);
        FUZZ_CHECK(Before(Folder() / "places") == placesBefore);
        FUZZ_CHECK(Before(Folder() / "out.target") == linkedBefore);
        FUZZ_CHECK(ReadAll(textFile) == text);
        return 0;
    }

    // The output went where it was told; a run to standard output gives the same.
    std::string written = run.m_strOut;
    if (outputKind == ETarget::Link)
        written = ReadAll(Folder() / "out.target");
    else if (outputKind != ETarget::None && outputKind != ETarget::Device)
        written = ReadAll(options.m_strOutput);
    if (outputKind != ETarget::None)
        FUZZ_CHECK(run.m_strOut.empty());
    // The output or the places may have replaced the input, so the text is read
    // from a copy.
    const fs::path copy = Folder() / "again.txt";
    WriteAll(copy, text);
    CSmileOptions toStdout = options;
    toStdout.m_strOutput.clear();
    toStdout.m_strPlaces.clear();
    toStdout.m_strInput = fromStdin ? std::string() : copy.string();
    const CRunResult again = Run(toStdout, copy);
    FUZZ_CHECK(again.m_nExit == 0);
    if (outputKind != ETarget::Device)
        FUZZ_CHECK(written == again.m_strOut);
    if (placesKind == ETarget::NewFile || placesKind == ETarget::OldFile)
        CheckPlaces(ReadAll(options.m_strPlaces), again.m_strOut.size());
    return 0;
}
