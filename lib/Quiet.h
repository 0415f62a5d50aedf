#ifndef CHIRPWELL_LIB_QUIET_H
#define CHIRPWELL_LIB_QUIET_H

#include <cstdint>
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "engine/IClock.h"
#include "engine/INotifier.h"
#include "engine/IProgress.h"
#include "engine/SystemClock.h"
#include "include/chirpwell/chirpwell.h"
#include "lib/LibraryTexts.h"

// What the engine's ports are in a library that shows nothing and asks nothing: the
// engine's own messages are dropped (the library words its own), no progress is
// drawn, and the clock stands at the seed a caller named.

class CQuietNotifier : public INotifier {
public:
    void ShowMessage(const std::string&) override {}
};

class CQuietProgress : public IProgress {
public:
    void SetCaption(const std::string&) override {}
    void SetPosition(int) override {}
};

// The second of a seed, or of the system clock when none is named.
class CSeedClock : public IClock {
public:
    explicit CSeedClock(std::optional<std::uint32_t> seed) : m_seed(seed) {}
    std::int64_t Now() override { return m_seed ? *m_seed : m_system.Now(); }

private:
    std::optional<std::uint32_t> m_seed;
    CSystemClock m_system;
};

// Runs work, a function giving a chirpwell_code, so that no exception leaves the C
// interface: running out of memory is CHIRPWELL_ERROR_MEMORY.
template <typename Work>
chirpwell_code Guarded(char** message, Work work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return Fail(CHIRPWELL_ERROR_MEMORY, LibTr("out of memory"), message);
    } catch (const std::exception& error) {
        return Fail(CHIRPWELL_ERROR_MEMORY, error.what(), message);
    }
}

// The same for a function giving a handle: null when memory runs out.
template <typename Work>
auto Quietly(std::nullptr_t, Work work) -> decltype(work())
{
    try {
        return work();
    } catch (const std::exception&) {
        return nullptr;
    }
}

#endif
