#ifndef CHIRPWELL_CLI_STREAMRUN_H
#define CHIRPWELL_CLI_STREAMRUN_H

struct CSmileOptions;
struct CSmileStreams;
class CMessages;

// chirpwell-smile --stream: the input smiled as it is read, of any size, and the
// result written as it comes, exactly as one run over the whole input would write
// it. Gives the exit status, kExitDone or kExitFailed. A run that fails midway
// leaves what it wrote on standard output and the streams but changes no file.
int RunSmileStream(const CSmileOptions& options, const CSmileStreams& streams,
                   CMessages& messages);

#endif
