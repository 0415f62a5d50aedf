// How long the desktop program takes from exec to its smiled text on the screen,
// beside a bare Qt 6 program that shows the same text (bench/BareQtWindow.cpp).
// Each run starts the program afresh with an empty profile and stops the clock
// when the X server has the first whole picture of its main window: the DAMAGE
// extension reports every change of the window's pixels, and the program paints
// its text in its first picture. The program is then killed. The two programs'
// runs are interleaved at random, ten of each; the medians are the figures.
// Needs an X display, with a window manager as on a desktop:
//   scripts/with-x.sh --openbox build-bench/bench/chirpwell_startup_bench

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <benchmark/benchmark.h>

#include "engine/text/Codec.h"
#include "engine/text/Cp932.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using CClock = std::chrono::steady_clock;

// A program to start: its command line and a part of its main window's title.
struct CProgram {
    std::vector<std::string> m_command;
    std::string m_strTitle;
};

// Windows of a killed program may still be reported on; their damage objects are
// gone with them.
int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// One connection to the display for the whole run, told of every window made on
// its root window.
class CPaintWatcher {
public:
    CPaintWatcher(const CPaintWatcher&) = delete;
    CPaintWatcher& operator=(const CPaintWatcher&) = delete;
    CPaintWatcher() = default;
    ~CPaintWatcher()
    {
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);
    }

    // False, after a message, without a display or its DAMAGE extension.
    bool Open(const fs::path& configHome);
    // Starts program and gives the seconds from then until its main window's whole
    // area has been drawn; -1 when that does not happen within ten seconds.
    double Launch(const CProgram& program);

private:
    struct CWatched {
        Damage m_damage = 0;
        long m_nDrawn = 0;  // pixels drawn, overlaps counted again
    };

    // Whether window is the program's main window, now drawn whole.
    bool IsPainted(const XDamageNotifyEvent& event, const std::string& title);
    void Forget();

    Display* m_pDisplay = nullptr;
    int m_nDamageEvent = 0;
    std::vector<std::string> m_environment;
    std::map<Window, CWatched> m_windows;
};

bool CPaintWatcher::Open(const fs::path& configHome)
{
    m_pDisplay = XOpenDisplay(nullptr);
    if (!m_pDisplay) {
        std::fprintf(stderr, "no X display: run this under scripts/with-x.sh --openbox\n");
        return false;
    }
    int error = 0;
    if (!XDamageQueryExtension(m_pDisplay, &m_nDamageEvent, &error)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return false;
    }
    XSetErrorHandler(IgnoreXError);
    XSelectInput(m_pDisplay, DefaultRootWindow(m_pDisplay), SubstructureNotifyMask);
    // Every run starts with no profile: a killed program writes none.
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "XDG_CONFIG_HOME=", 16) != 0)
            m_environment.emplace_back(*variable);
    }
    m_environment.push_back("XDG_CONFIG_HOME=" + configHome.string());
    return true;
}

bool CPaintWatcher::IsPainted(const XDamageNotifyEvent& event, const std::string& title)
{
    const auto found = m_windows.find(event.drawable);
    if (found == m_windows.end())
        return false;
    found->second.m_nDrawn += long(event.area.width) * event.area.height;
    if (found->second.m_nDrawn < long(event.geometry.width) * event.geometry.height)
        return false;
    char* name = nullptr;
    if (!XFetchName(m_pDisplay, event.drawable, &name) || !name)
        return false;
    const bool isMain = std::strstr(name, title.c_str()) != nullptr;
    XFree(name);
    return isMain;
}

double CPaintWatcher::Launch(const CProgram& program)
{
    std::vector<char*> arguments;
    for (const std::string& argument : program.m_command)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    std::vector<char*> environment;
    for (std::string& variable : m_environment)
        environment.push_back(variable.data());
    environment.push_back(nullptr);

    XSync(m_pDisplay, True);
    const CClock::time_point start = CClock::now();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), environment.data()) != 0)
        return -1;
    const CClock::time_point deadline = start + std::chrono::seconds(10);
    double seconds = -1;
    while (seconds < 0 && CClock::now() < deadline) {
        while (seconds < 0 && XPending(m_pDisplay)) {
            XEvent event;
            XNextEvent(m_pDisplay, &event);
            if (event.type == CreateNotify && !event.xcreatewindow.override_redirect) {
                CWatched& watched = m_windows[event.xcreatewindow.window];
                watched.m_damage = XDamageCreate(m_pDisplay, event.xcreatewindow.window,
                                                 XDamageReportRawRectangles);
                XFlush(m_pDisplay);
            } else if (event.type == m_nDamageEvent + XDamageNotify &&
                       IsPainted(reinterpret_cast<const XDamageNotifyEvent&>(event),
                                 program.m_strTitle)) {
                seconds = std::chrono::duration<double>(CClock::now() - start).count();
            }
        }
        if (seconds >= 0 || waitpid(child, nullptr, WNOHANG) == child)
            break;
        pollfd connection{ConnectionNumber(m_pDisplay), POLLIN, 0};
        poll(&connection, 1, 10);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    Forget();
    return seconds;
}

void CPaintWatcher::Forget()
{
    for (const auto& [window, watched] : m_windows)
        XDamageDestroy(m_pDisplay, watched.m_damage);
    m_windows.clear();
    // The window manager lets go of the killed program's windows before the next.
    XSync(m_pDisplay, True);
    usleep(100000);
    XSync(m_pDisplay, True);
}

CPaintWatcher g_watcher;
std::map<std::string, std::vector<double>> g_times;  // milliseconds of each run, by name

void BM_StartUp(benchmark::State& state, const std::string& name, const CProgram& program)
{
    for (auto _ : state) {
        const double seconds = g_watcher.Launch(program);
        if (seconds < 0) {
            state.SkipWithError("the main window was not painted within ten seconds");
            break;
        }
        state.SetIterationTime(seconds);
        g_times[name].push_back(seconds * 1000);
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    // The runs of both programs take turns, so that a busy spell on the machine
    // falls on both alike.
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments(argv, argv + argc);
    arguments.insert(arguments.begin() + 1, interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());

    const fs::path work = fs::temp_directory_path() / ("chirpwell-startup-" + std::to_string(getpid()));
    fs::create_directories(work / "config");
    // The bare program shows the sample's text as UTF-8.
    std::ifstream sampleFile(CHIRPWELL_SAMPLE, std::ios::binary);
    const std::string sample((std::istreambuf_iterator<char>(sampleFile)), {});
    std::string utf8;
    if (!Cp932ToUtf8(sample, utf8)) {
        std::fprintf(stderr, "cannot read %s as CP932\n", CHIRPWELL_SAMPLE);
        return 1;
    }
    std::ofstream(work / "sample.utf8", std::ios::binary) << utf8;

    const CProgram chirpwell{{CHIRPWELL_PATH, CHIRPWELL_SAMPLE}, " - Chirpwell"};
    const CProgram bare{{CHIRPWELL_BARE_QT_PATH, (work / "sample.utf8").string()}, "Bare Qt"};
    int status = 1;
    if (g_watcher.Open(work / "config")) {
        // One start of each first, so that both find the files they read cached.
        g_watcher.Launch(chirpwell);
        g_watcher.Launch(bare);
        for (const auto& [name, program] :
             {std::pair{"BM_StartUpChirpwell", chirpwell}, std::pair{"BM_StartUpBareQt", bare}}) {
            benchmark::RegisterBenchmark(name, BM_StartUp, std::string(name), program)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1)
                ->Repetitions(10);
        }
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        const auto& chirpwellTimes = g_times["BM_StartUpChirpwell"];
        const auto& bareTimes = g_times["BM_StartUpBareQt"];
        if (!chirpwellTimes.empty() && !bareTimes.empty()) {
            const double ratio = Median(chirpwellTimes) / Median(bareTimes);
            std::printf("Medians: Chirpwell %.1f ms, bare Qt %.1f ms, %.2f times the bare program\n",
                        Median(chirpwellTimes), Median(bareTimes), ratio);
        }
        status = 0;
    }
    fs::remove_all(work);
    return status;
}
