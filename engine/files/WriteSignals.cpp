#include "engine/files/WriteSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// One word, so that a handler on any thread and the writing thread agree through
// compare-and-swap alone: the depth of open sessions, whether one waits on a
// stream, whether a handler is ending the program, and the signal that waits.
constexpr unsigned kDepth = 0xFF;
constexpr unsigned kStreaming = 1u << 8;
constexpr unsigned kEnding = 1u << 9;
constexpr unsigned kSignalShift = 16;
std::atomic<unsigned> g_state{0};
static_assert(std::atomic<unsigned>::is_always_lock_free);

constexpr int kMaxRemovable = 32;
std::atomic<const char*> g_removable[kMaxRemovable];
static_assert(std::atomic<const char*>::is_always_lock_free);

unsigned WaitingSignal(unsigned state)
{
    return state >> kSignalShift;
}

// Only calls that are safe in a signal handler.
[[noreturn]] void EndBySignal(int number)
{
    for (std::atomic<const char*>& slot : g_removable) {
        if (const char* path = slot.load())
            ::unlink(path);
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(number, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, number);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(number);
    ::_exit(128 + number);
}

void OnSignal(int number)
{
    const int saved = errno;
    unsigned state = g_state.load();
    for (;;) {
        const bool waits = (state & kDepth) != 0 && (state & kStreaming) == 0;
        if (!waits) {
            if (g_state.compare_exchange_weak(state, state | kEnding))
                EndBySignal(number);
            continue;
        }
        // The first signal is the one the program ends by.
        const unsigned waiting = WaitingSignal(state) != 0
                                     ? state
                                     : state | static_cast<unsigned>(number) << kSignalShift;
        if (g_state.compare_exchange_weak(state, waiting))
            break;
    }
    errno = saved;
}

}  // namespace

void InstallWriteSignals()
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int number : kSignals)
        sigaddset(&action.sa_mask, number);
    action.sa_flags = SA_RESTART;
    for (int number : kSignals) {
        struct sigaction old {};
        if (::sigaction(number, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

bool SignalCame()
{
    return WaitingSignal(g_state.load()) != 0;
}

bool KeepRemovable(const std::string& path)
{
    for (std::atomic<const char*>& slot : g_removable) {
        const char* none = nullptr;
        if (slot.compare_exchange_strong(none, path.c_str()))
            return true;
    }
    return false;
}

void ForgetRemovable(const std::string& path)
{
    for (std::atomic<const char*>& slot : g_removable) {
        const char* kept = path.c_str();
        slot.compare_exchange_strong(kept, nullptr);
    }
}

CWriteSession::CWriteSession()
{
    unsigned state = g_state.load();
    for (;;) {
        // A handler on another thread is ending the program: begin nothing more.
        while ((state & kEnding) != 0) {
            ::pause();
            state = g_state.load();
        }
        if (g_state.compare_exchange_weak(state, state + 1))
            return;
    }
}

CWriteSession::~CWriteSession()
{
    unsigned state = g_state.load();
    while (!g_state.compare_exchange_weak(state, state - 1)) {
    }
    const unsigned left = state - 1;
    if ((left & kDepth) == 0 && WaitingSignal(left) != 0)
        EndBySignal(static_cast<int>(WaitingSignal(left)));
}

CStreamWait::CStreamWait()
{
    unsigned state = g_state.load();
    for (;;) {
        if (WaitingSignal(state) != 0)
            EndBySignal(static_cast<int>(WaitingSignal(state)));
        if (g_state.compare_exchange_weak(state, state | kStreaming))
            return;
    }
}

CStreamWait::~CStreamWait()
{
    unsigned state = g_state.load();
    while (!g_state.compare_exchange_weak(state, state & ~kStreaming)) {
    }
}
