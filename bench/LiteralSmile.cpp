// The yardstick for chirpwell-smile's whole process: a program that does what the
// command does with a Shift_JIS file, but with the literal in-place filters and
// conversion on the bytes as they are. It reads, writes and starts as the command
// does, through the same units and libraries, so that the two differ in the work
// between alone.
//
//   chirpwell_literal_smile [-f N] [--seed=S] [--html] [--comments] [--keep-newlines]
//                           [-o PATH] FILE

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "cli/InputFiles.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "engine/INotifier.h"
#include "engine/Limits.h"
#include "engine/smile/Converter.h"
#include "engine/smile/Pipeline.h"
#include "engine/smile/Random.h"
#include "programs/FixedClock.h"
#include "programs/SilentProgress.h"
#include "programs/Translation.h"
#include "tests/reference/LiteralEngine.h"

int main(int argc, char** argv)
{
    InitTranslation();
    CFixedClock clock;
    CRandom random(clock);
    CMessages messages(stderr);
    CConverter converter(messages, random);
    converter.m_nFrequency = 2;
    converter.m_bReturnCode = true;
    std::string input;
    std::string output;
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
    if (!ReadInput(input, stdin, text, messages))
        return 2;
    converter.LoadBuiltInSet();
    random.SeedFromClock();
    CSilentProgress progress;
    RunFilters(converter, text, progress, kTextLimit,
               {LiteralStripHtmlTags, LiteralStripCppComments, LiteralNormalizeReturnCodes});
    CSmilePlaceList places;
    if (!LiteralConvert(text, converter.RuleTable(), converter.m_nFrequency, random,
                        kMaxSmileLength, places, progress))
        return 1;
    COutput out(stdout);
    out.Add(output, std::move(text));
    std::string error;
    if (!out.Commit(error)) {
        messages.Error(error);
        return 2;
    }
    return 0;
}
