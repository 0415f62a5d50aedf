// chirpwell-smile: the open-and-smile pipeline of Chirpwell as a filter for scripts.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Messages.h"
#include "cli/SmileOptions.h"
#include "cli/SmileRun.h"
#include "engine/files/WriteSignals.h"
#include "programs/Translation.h"

int main(int argc, char** argv)
{
    // A reader that goes away fails the write with a message, so that the run
    // still removes its temporary files, instead of ending the program at once.
    std::signal(SIGPIPE, SIG_IGN);
    // An interrupted write leaves the old content or the new, and no temporary file.
    InstallWriteSignals();
    InitTranslation();
    CMessages messages(stderr);
    CSmileOptions options;
    std::string text;
    switch (ParseSmileOptions(argc, argv, options, text)) {
    case EParseResult::Run:
        return RunSmile(options, {stdin, stdout, stderr});
    case EParseResult::Exit:
        // Help that could not be written is a failure, as with GNU tools.
        if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
            const std::string reason = std::strerror(errno);
            messages.Error(std::string(Tr("standard output")) + ": " + reason);
            return kExitFailed;
        }
        return kExitDone;
    case EParseResult::BadUsage:
        messages.BadUsage(text);
        return kExitFailed;
    }
    return kExitFailed;
}
