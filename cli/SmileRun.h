#ifndef CHIRPWELL_CLI_SMILERUN_H
#define CHIRPWELL_CLI_SMILERUN_H

#include <cstdio>

struct CSmileOptions;

// The exit statuses of chirpwell-smile.
inline constexpr int kExitDone = 0;
inline constexpr int kExitTooLong = 1;  // the smiled text would pass the maximum length
inline constexpr int kExitFailed = 2;   // bad usage, or what was asked cannot be done

// Standard input, output and error of a run; they must outlive it.
struct CSmileStreams {
    std::FILE* m_pInput;
    std::FILE* m_pOutput;
    std::FILE* m_pError;
};

// One run of chirpwell-smile as the options say: reads the input, smiles it (or
// censors or reverses it) as Chirpwell does when it opens a file, and writes the
// result and the places. Gives the exit status; nothing is written unless it is
// kExitDone, and every failure has its message on the error stream.
int RunSmile(const CSmileOptions& options, const CSmileStreams& streams);

#endif
