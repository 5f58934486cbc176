#pragma once
// Running helper programs from tests: by argument vector (no shell), with
// extra environment variables, a bounded wait and the output captured.

#include <chrono>
#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace test_support {

// Environment changes: name -> value sets the variable, name -> kUnset
// removes it; variables not named are inherited.
using Environment = std::map<std::string, std::string>;
inline const std::string kUnset = "\x01unset";

struct ProcessResult {
    int exitCode = -1;     // -1: did not start, was killed, or timed out
    bool timedOut = false;
    std::string output;    // stdout and stderr together
};

// Runs argv[0] (looked up in PATH) and waits at most `timeout`; a child still
// running then is killed.
ProcessResult runProcess(const std::vector<std::string>& argv, const Environment& env,
                         std::chrono::milliseconds timeout);

// Starts argv[0] in the background with stdout and stderr appended to
// `logFile`; answers its process id, or -1 when it could not start.
pid_t spawnProcess(const std::vector<std::string>& argv, const Environment& env,
                   const std::string& logFile);

// SIGTERM, up to `grace` to end, then SIGKILL; reaps the child. Safe for -1.
void stopProcess(pid_t pid, std::chrono::milliseconds grace = std::chrono::seconds(3));

// Sets (or with kUnset removes) variables of this process and puts the old
// values back on destruction.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const Environment& changes);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::map<std::string, std::string> saved_;  // kUnset: was not set
};

}  // namespace test_support
