#include "bench/ChildProcess.h"

#include <chrono>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

CChildRun RunChild(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    CChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    struct rusage usage {};
    const bool waited = spawned == 0 && ::wait4(pid, &status, 0, &usage) == pid;
    run.m_nSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.m_bDone = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.m_nPeakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // KiB on Linux
    return run;
}
