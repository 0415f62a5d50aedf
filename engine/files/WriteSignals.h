#ifndef CHIRPWELL_ENGINE_FILES_WRITESIGNALS_H
#define CHIRPWELL_ENGINE_FILES_WRITESIGNALS_H

#include <string>

// What SIGINT, SIGTERM and SIGHUP do to a write, once InstallWriteSignals has run.
// One that comes while a write session is open waits for it: the writer stops at its
// next step and takes back what it began, and the program then ends by the signal,
// as it would have without us. While the session waits on a stream (a pipe, a FIFO,
// a terminal), which could take for ever, the signal ends the program at once after
// removing the files kept with KeepRemovable; no file may have been changed before
// such a wait. Outside sessions the signals end the program as they always did.
// Sessions are taken by one thread at a time; a signal may reach any thread.

// Catches the three signals, but leaves those ignored (as under nohup) ignored. Call
// it first in main, before any thread starts.
void InstallWriteSignals();

// True when a signal waits for the session to end: stop and take back.
bool SignalCame();

// A file that a signal ending the program at once takes away: the temporary files
// and the copies of old content. path must stay as it is until ForgetRemovable.
// Only inside a session, outside a stream wait. False when too many are kept.
bool KeepRemovable(const std::string& path);
void ForgetRemovable(const std::string& path);

// A write under way, for the object's life. The outermost one ends the program when
// a signal came meanwhile, so everything begun must be taken back or finished
// before it goes.
class CWriteSession {
public:
    CWriteSession();
    ~CWriteSession();
    CWriteSession(const CWriteSession&) = delete;
    CWriteSession& operator=(const CWriteSession&) = delete;
};

// Inside a session, for the object's life, a write to a stream that may wait for
// ever: a signal ends the program at once, one that came before as well.
class CStreamWait {
public:
    CStreamWait();
    ~CStreamWait();
    CStreamWait(const CStreamWait&) = delete;
    CStreamWait& operator=(const CStreamWait&) = delete;
};

#endif
