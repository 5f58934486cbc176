#pragma once
// A private PulseAudio server standing in for a desktop's sound server, so
// that ALSA's "default" capture PCM reaches a real microphone path on a
// machine without sound hardware.
//
// The server runs in user mode in its own temporary runtime folder, with one
// null sink ("tsink") whose monitor is the default source: whatever is played
// into the sink is what a program capturing from "default" hears. While the
// object lives, this process points at the server (XDG_RUNTIME_DIR and
// PULSE_SERVER); the destructor stops the server by its process id, puts the
// environment back and removes the folder. Every object has its own folder and
// socket, so two tests running at once never share a server.
//
// ALSA decides at its first use in a process whether "default" goes to
// PulseAudio, so create the server before the code under test opens any PCM.
// The first capture after the server has been idle takes over a second to
// deliver data; wait for data with a generous bounded timeout, never assert
// a time.
//
//     test_support::PulseServer pulse;
//     ASSERT_TRUE(pulse.running()) << pulse.error();
//     ASSERT_TRUE(pulse.playTone(440));
//     ... open "default" for capture: it hears a 440 Hz sine ...

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace test_support {

class PulseServer {
public:
    // Starts the server and waits up to `startTimeout` for it to answer.
    // Never throws: check running() and, when false, error().
    explicit PulseServer(std::chrono::milliseconds startTimeout = std::chrono::seconds(15));
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    bool running() const { return running_; }
    // Why the server is not running, with the server's log.
    const std::string& error() const { return error_; }

    const std::filesystem::path& runtimeDir() const { return dir_.path(); }
    std::string sinkName() const { return "tsink"; }
    std::string monitorName() const { return "tsink.monitor"; }  // the default source
    pid_t pid() const { return pid_; }

    // Plays a sine of `hertz` (1..sink rate / 2) into the sink until
    // stopTone() or destruction; a tone already playing is replaced. The
    // sine is PulseAudio's own generator, about -20 dB below full scale.
    bool playTone(unsigned hertz);
    void stopTone();

    // Runs `pactl <args>` against this server (bounded wait); true when it
    // exits with 0. Its output goes to `output` when given.
    bool pactl(const std::vector<std::string>& args, std::string* output = nullptr) const;

    // The server's log so far.
    std::string log() const;

private:
    Environment childEnvironment() const;

    TempDir dir_{"quindral-pulse"};
    pid_t pid_ = -1;
    bool running_ = false;
    std::string error_;
    std::string toneModule_;  // index of the loaded sine module, or empty
    std::unique_ptr<ScopedEnvironment> environment_;
};

// A fresh, empty runtime folder with no server behind it: while the object
// lives this process sees no sound server at all (XDG_RUNTIME_DIR points at
// the empty folder, PULSE_SERVER names a socket nobody listens on), so opening
// ALSA's "default" fails as on a desktop whose sound server is down.
class NoPulseServer {
public:
    NoPulseServer();
    ~NoPulseServer();
    NoPulseServer(const NoPulseServer&) = delete;
    NoPulseServer& operator=(const NoPulseServer&) = delete;

    const std::filesystem::path& runtimeDir() const { return dir_.path(); }

private:
    TempDir dir_{"quindral-nopulse"};
    std::unique_ptr<ScopedEnvironment> environment_;
};

}  // namespace test_support
