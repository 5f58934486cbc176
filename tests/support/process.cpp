#include "tests/support/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace test_support {
namespace {

using Clock = std::chrono::steady_clock;

// The current environment with `changes` applied, as owned strings.
std::vector<std::string> mergedEnvironment(const Environment& changes) {
    std::vector<std::string> out;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        if (!changes.count(name)) out.push_back(entry);
    }
    for (const auto& [name, value] : changes)
        if (value != kUnset) out.push_back(name + "=" + value);
    return out;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (auto& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

pid_t spawnWith(const std::vector<std::string>& argv, const Environment& env,
                posix_spawn_file_actions_t* actions) {
    std::vector<std::string> args = argv;
    std::vector<std::string> envStrings = mergedEnvironment(env);
    auto argp = pointers(args);
    auto envp = pointers(envStrings);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argp[0], actions, nullptr, argp.data(), envp.data()) != 0) return -1;
    return pid;
}

// Waits for `pid` until `deadline`; answers its exit status or nothing.
bool waitUntil(pid_t pid, Clock::time_point deadline, int* status) {
    for (;;) {
        pid_t r = waitpid(pid, status, WNOHANG);
        if (r == pid) return true;
        if (r < 0 && errno != EINTR) return true;  // already reaped
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& argv, const Environment& env,
                         std::chrono::milliseconds timeout) {
    ProcessResult result;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = spawnWith(argv, env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return result;
    }

    const auto deadline = Clock::now() + timeout;
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        int n = poll(&p, 1, static_cast<int>(left.count()));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) continue;
        ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the child closed its output
        result.output.append(buffer, static_cast<size_t>(got));
    }
    close(fds[0]);

    int status = 0;
    if (result.timedOut || !waitUntil(pid, deadline + std::chrono::seconds(1), &status)) {
        result.timedOut = true;
        stopProcess(pid, std::chrono::milliseconds(200));
        return result;
    }
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

pid_t spawnProcess(const std::vector<std::string>& argv, const Environment& env,
                   const std::string& logFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = spawnWith(argv, env, &actions);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void stopProcess(pid_t pid, std::chrono::milliseconds grace) {
    if (pid <= 0) return;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return;
    kill(pid, SIGTERM);
    if (waitUntil(pid, Clock::now() + grace, &status)) return;
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

ScopedEnvironment::ScopedEnvironment(const Environment& changes) {
    for (const auto& [name, value] : changes) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old ? old : kUnset;
        if (value == kUnset)
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
}

ScopedEnvironment::~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
        if (value == kUnset)
            unsetenv(name.c_str());
        else
            setenv(name.c_str(), value.c_str(), 1);
    }
}

}  // namespace test_support
