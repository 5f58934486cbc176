#include "platform/shell/shell.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <thread>

extern char** environ;

namespace platform::shell {
namespace {

// RAII for the spawn attributes.
class SpawnAttributes {
public:
    SpawnAttributes() { ok_ = posix_spawnattr_init(&attr_) == 0; }
    ~SpawnAttributes() {
        if (ok_) posix_spawnattr_destroy(&attr_);
    }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    bool ok() const { return ok_; }
    posix_spawnattr_t* get() { return &attr_; }

private:
    posix_spawnattr_t attr_;
    bool ok_ = false;
};

}  // namespace

bool startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    if (program.empty()) return false;
    std::vector<std::string> args;
    args.reserve(arguments.size() + 1);
    args.push_back(program);
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnAttributes attr;
    if (!attr.ok()) return false;
    // A clean signal state and a process group of its own for the child.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(attr.get(), &none);
    posix_spawnattr_setsigdefault(attr.get(), &all);
    posix_spawnattr_setpgroup(attr.get(), 0);
    posix_spawnattr_setflags(attr.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);

    pid_t pid = -1;
    // glibc reports a failed exec (program not found, ...) as the result.
    if (posix_spawnp(&pid, program.c_str(), nullptr, attr.get(), argv.data(), environ) != 0) return false;

    // Reap it whenever it ends; a browser launcher ends at once, a mixer
    // window may live for hours.
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

std::vector<std::string> splitParameters(const std::string& parameters) {
    std::vector<std::string> out;
    std::string current;
    bool inQuotes = false, started = false;
    for (char c : parameters) {
        if (c == '"') {
            inQuotes = !inQuotes;
            started = true;
        } else if ((c == ' ' || c == '\t') && !inQuotes) {
            if (started) out.push_back(current);
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started) out.push_back(current);
    return out;
}

}  // namespace platform::shell
