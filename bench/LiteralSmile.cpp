// The yardstick for chirpwell-smile's whole process: a program that does what the
// command does with a Shift_JIS file, but with the literal in-place filters and
// conversion, reading and writing the bytes as they are.
//
//   chirpwell_literal_smile [-f N] [--seed=S] [--html] [--comments] [--keep-newlines]
//                           [-o PATH] FILE

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/Converter.h"
#include "engine/FixedClock.h"
#include "engine/INotifier.h"
#include "engine/Limits.h"
#include "engine/Pipeline.h"
#include "engine/Random.h"
#include "engine/SilentProgress.h"
#include "tests/reference/LiteralEngine.h"

namespace {

class CStderrNotifier : public INotifier {
public:
    void ShowMessage(const std::string& text) override
    {
        std::fprintf(stderr, "chirpwell_literal_smile: %s\n", text.c_str());
    }
};

bool ReadWhole(const char* path, std::string& bytes)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok && bytes.size() <= kTextLimit;
}

}  // namespace

int main(int argc, char** argv)
{
    CFixedClock clock;
    CRandom random(clock);
    CStderrNotifier notifier;
    CConverter converter(notifier, random);
    converter.m_nFrequency = 2;
    converter.m_bReturnCode = true;
    const char* input = nullptr;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-f" && i + 1 < argc)
            converter.m_nFrequency = std::atoi(argv[++i]);
        else if (argument.starts_with("--seed="))
            clock.m_nNow = std::strtoll(argv[i] + 7, nullptr, 10);
        else if (argument == "--html")
            converter.m_bHTMLCut = true;
        else if (argument == "--comments")
            converter.m_bCPPCut = true;
        else if (argument == "--keep-newlines")
            converter.m_bReturnCode = false;
        else if (argument == "-o" && i + 1 < argc)
            output = argv[++i];
        else
            input = argv[i];
    }
    std::string text;
    if (!input || !ReadWhole(input, text)) {
        std::fprintf(stderr, "chirpwell_literal_smile: cannot read the input\n");
        return 2;
    }
    converter.LoadBuiltInSet();
    random.SeedFromClock();
    CSilentProgress progress;
    RunFilters(converter, text, progress, kTextLimit,
               {LiteralStripHtmlTags, LiteralStripCppComments, LiteralNormalizeReturnCodes});
    CSmilePlaceList places;
    if (!LiteralConvert(text, converter.RuleTable(), converter.m_nFrequency, random,
                        kMaxSmileLength, places, progress))
        return 1;
    std::FILE* out = output ? std::fopen(output, "wb") : stdout;
    if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
        std::fclose(out) != 0)
        return 2;
    return 0;
}
