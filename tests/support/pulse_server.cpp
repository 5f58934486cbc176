#include "tests/support/pulse_server.h"

#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace test_support {
namespace {

constexpr auto kPactlTimeout = std::chrono::seconds(10);

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
    return s;
}

}  // namespace

PulseServer::PulseServer(std::chrono::milliseconds startTimeout) {
    const auto& dir = dir_.path();
    std::filesystem::create_directories(dir / "pulse");
    const std::string socket = (dir / "pulse" / "native").string();

    // One script instead of pactl calls after start: the default source is
    // right from the first moment a client can connect.
    std::ofstream(dir / "server.pa")
        << "load-module module-native-protocol-unix auth-anonymous=1 socket=" << socket << "\n"
        << "load-module module-null-sink sink_name=" << sinkName() << "\n"
        << "set-default-source " << monitorName() << "\n"
        << "set-default-sink " << sinkName() << "\n";
    std::ofstream(dir / "client.conf") << "autospawn = no\n";

    pid_ = spawnProcess({"pulseaudio", "-n", "-F", (dir / "server.pa").string(), "--daemonize=no",
                         "--exit-idle-time=-1", "--disallow-exit", "--use-pid-file=no",
                         "--log-target=stderr", "--log-level=warning"},
                        childEnvironment(), (dir / "server.log").string());
    if (pid_ < 0) {
        error_ = "could not start pulseaudio (is it installed?)";
        return;
    }

    environment_ = std::make_unique<ScopedEnvironment>(Environment{
        {"XDG_RUNTIME_DIR", dir.string()},
        {"PULSE_SERVER", "unix:" + socket},
        {"PULSE_CLIENTCONFIG", (dir / "client.conf").string()},
        {"PULSE_COOKIE", (dir / ".config" / "pulse" / "cookie").string()},
    });

    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error_ = "pulseaudio ended at start:\n" + log();
            return;
        }
        if (pactl({"info"})) {
            running_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    error_ = "pulseaudio did not answer in time:\n" + log();
}

PulseServer::~PulseServer() {
    stopProcess(pid_);
    environment_.reset();
}

Environment PulseServer::childEnvironment() const {
    const std::string dir = dir_.path().string();
    // The server keeps its cookie and state under HOME: keep them in our
    // folder, away from the real user's and from other tests' servers.
    return {
        {"HOME", dir},
        {"XDG_RUNTIME_DIR", dir},
        {"XDG_CONFIG_HOME", dir + "/.config"},
        {"XDG_STATE_HOME", dir + "/.state"},
        {"PULSE_RUNTIME_PATH", dir + "/pulse"},
        {"PULSE_STATE_PATH", dir + "/.state"},
        {"PULSE_SERVER", "unix:" + dir + "/pulse/native"},
        {"PULSE_CLIENTCONFIG", dir + "/client.conf"},
        {"DISPLAY", kUnset},
        {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
    };
}

bool PulseServer::pactl(const std::vector<std::string>& args, std::string* output) const {
    std::vector<std::string> argv{"pactl"};
    argv.insert(argv.end(), args.begin(), args.end());
    ProcessResult r = runProcess(argv, childEnvironment(), kPactlTimeout);
    if (output) *output = r.output;
    return r.exitCode == 0;
}

bool PulseServer::playTone(unsigned hertz) {
    if (!running_) return false;
    stopTone();
    std::string out;
    if (!pactl({"load-module", "module-sine", "sink=" + sinkName(), "frequency=" + std::to_string(hertz)},
               &out))
        return false;
    toneModule_ = trimmed(out);
    return !toneModule_.empty();
}

void PulseServer::stopTone() {
    if (toneModule_.empty()) return;
    pactl({"unload-module", toneModule_});
    toneModule_.clear();
}

std::string PulseServer::log() const { return readFile(dir_.path() / "server.log"); }

NoPulseServer::NoPulseServer() {
    std::ofstream(dir_.path() / "client.conf") << "autospawn = no\n";
    environment_ = std::make_unique<ScopedEnvironment>(Environment{
        {"XDG_RUNTIME_DIR", dir_.path().string()},
        {"PULSE_SERVER", kUnset},
        {"PULSE_CLIENTCONFIG", (dir_.path() / "client.conf").string()},
    });
}

NoPulseServer::~NoPulseServer() { environment_.reset(); }

}  // namespace test_support
