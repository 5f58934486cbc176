// The real MIDI library: its FluidSynth mapper rendered offline, and played
// through a PulseAudio server the test starts itself.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "midi/saida_midi.h"
#include "pitch.h"

namespace fs = std::filesystem;
using midi_test::endOfSound;
using midi_test::estimateFundamental;
using midi_test::peak;

extern char** environ;

namespace {

const fs::path kLibrary = MIDI_LIBRARY;

double noteHz(int n) { return 440.0 * std::pow(2.0, (n - 69) / 12.0); }

// The library's own offline hooks, reached through a second reference to
// the library SaidaMIDI loaded.
class Mapper {
public:
    Mapper() : handle_(dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (!handle_) throw std::runtime_error(dlerror());
        render_ = reinterpret_cast<decltype(render_)>(dlsym(handle_, "MxMidiRender"));
        program_ = reinterpret_cast<decltype(program_)>(dlsym(handle_, "MxMidiMapperProgram"));
        settings_ = reinterpret_cast<decltype(settings_)>(dlsym(handle_, "MxMidiMapperSettings"));
    }
    ~Mapper() { dlclose(handle_); }

    int sampleRate() const {
        int rate = 0;
        settings_(&rate, nullptr, nullptr, nullptr, 0);
        return rate;
    }
    // Mono mix of the next `seconds` of sound.
    std::vector<float> render(double seconds) const {
        const int frames = static_cast<int>(seconds * sampleRate());
        std::vector<float> left(frames), right(frames);
        if (render_(left.data(), right.data(), frames) != frames) return {};
        for (int i = 0; i < frames; ++i) left[i] = 0.5f * (left[i] + right[i]);
        return left;
    }
    struct Program {
        int bank = -1, program = -1;
        std::string name;
    };
    Program program(int channel) const {
        Program p;
        char name[64] = {};
        if (program_(channel, &p.bank, &p.program, name, sizeof name)) p.name = name;
        return p;
    }

private:
    void* handle_;
    int (*render_)(float*, float*, int) = nullptr;
    int (*program_)(int, int*, int*, char*, int) = nullptr;
    int (*settings_)(int*, int*, int*, char*, int) = nullptr;
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// The sound from 0.1 s to 0.6 s after the note-on, past the attack.
std::vector<float> steadyPart(const std::vector<float>& sound, int rate) {
    return std::vector<float>(sound.begin() + rate / 10, sound.begin() + rate * 6 / 10);
}

class OfflineMapper : public testing::Test {
protected:
    void SetUp() override { setenv("MXMIDI_OFFLINE", "1", 1); }
};

}  // namespace

TEST_F(OfflineMapper, StartUpSelectsNylonGuitarAndLowEPlaysInTune) {
    SaidaMIDI saida(kLibrary);
    Mapper mapper;
    ASSERT_TRUE(saida.estaAberta());
    EXPECT_EQ(saida.obterDispositivo(), -1);
    EXPECT_EQ(mapper.program(0).program, 27);  // the constructor's clean electric guitar

    saida.selecionarInstrumento(0, 24);
    const Mapper::Program p = mapper.program(0);
    EXPECT_EQ(p.bank, 0);
    EXPECT_EQ(p.program, 24);
    EXPECT_NE(lower(p.name).find("nylon"), std::string::npos) << p.name;
    EXPECT_EQ(peak(mapper.render(0.05)), 0.0) << "sound before any note";

    saida.silenciar();
    saida.enviarMensagem(0x90, 40, 127);
    const int rate = mapper.sampleRate();
    const std::vector<float> sound = mapper.render(0.6);
    ASSERT_EQ(sound.size(), size_t(rate * 6 / 10));
    EXPECT_GT(peak(sound), 0.02);
    const double f = estimateFundamental(steadyPart(sound, rate), rate, 40, 1000);
    EXPECT_NEAR(f, 82.41, 82.41 * 0.005);
}

TEST_F(OfflineMapper, ResetCutsTheNoteAtOnceAndTheNextNoteKeepsTheInstrument) {
    SaidaMIDI saida(kLibrary);
    Mapper mapper;
    const int rate = mapper.sampleRate();
    saida.selecionarInstrumento(0, 24);
    saida.silenciar();
    saida.enviarMensagem(0x90, 40, 127);
    ASSERT_GT(peak(mapper.render(0.3)), 0.02);

    // A second click right after the first: the reset comes before the note.
    saida.silenciar();
    const std::vector<float> after = mapper.render(0.1);
    EXPECT_LT(endOfSound(after, 1e-4f), size_t(rate * 3 / 1000)) << "still sounding 3 ms after the reset";

    saida.enviarMensagem(0x90, 45, 127);
    EXPECT_EQ(mapper.program(0).program, 24);
    const std::vector<float> sound = mapper.render(0.6);
    EXPECT_NEAR(estimateFundamental(steadyPart(sound, rate), rate, 40, 1000), noteHz(45), noteHz(45) * 0.005);
}

TEST(RealMapper, WithoutAnyAudioOutputTheProgramRunsSilently) {
    if (fs::exists("/dev/snd")) GTEST_SKIP() << "this machine has sound hardware";
    unsetenv("MXMIDI_OFFLINE");
    setenv("PULSE_SERVER", "unix:/nonexistent/pulse/native", 1);
    SaidaMIDI saida(kLibrary);
    EXPECT_FALSE(saida.estaAberta());
    saida.selecionarInstrumento(0, 24);
    saida.silenciar();
    saida.enviarMensagem(0x90, 40, 127);
}

namespace {

// A private PulseAudio server with one null sink, stopped by its process id;
// should the test die first, the server leaves on its own once idle.
class PulseServer {
public:
    PulseServer() {
        char dir[] = "/tmp/midi_pulse_XXXXXX";
        if (!mkdtemp(dir)) return;
        runtimeDir_ = dir;
        setenv("XDG_RUNTIME_DIR", dir, 1);
        unsetenv("PULSE_SERVER");
        const char* argv[] = {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=10", "--disallow-exit",
                              "-L", "module-native-protocol-unix", "-L", "module-null-sink sink_name=tsink",
                              nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "pulseaudio", &actions, nullptr, const_cast<char**>(argv), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; pid_ && i < 100 && !ready_; ++i) {
            ready_ = std::system("pactl info >/dev/null 2>&1") == 0;
            if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ~PulseServer() {
        if (pid_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (!runtimeDir_.empty()) fs::remove_all(runtimeDir_);
    }
    bool ready() const { return ready_; }

private:
    pid_t pid_ = 0;
    bool ready_ = false;
    fs::path runtimeDir_;
};

// Reads what the null sink plays, as mono floats at `rate` Hz.
class SinkRecorder {
public:
    explicit SinkRecorder(int rate) {
        const std::string command = "exec parec -d tsink.monitor --raw --format=float32le --channels=1 --rate=" +
                                    std::to_string(rate) + " --latency-msec=10";
        pipe_ = popen(command.c_str(), "r");
    }
    ~SinkRecorder() {
        if (pipe_) pclose(pipe_);
    }
    std::vector<float> read(size_t frames) {
        std::vector<float> data(frames);
        const size_t got = pipe_ ? std::fread(data.data(), sizeof(float), frames, pipe_) : 0;
        data.resize(got);
        return data;
    }

private:
    FILE* pipe_ = nullptr;
};

}  // namespace

TEST(RealMapper, PlaysThroughPulseAudio) {
    if (std::system("command -v pulseaudio >/dev/null && command -v parec >/dev/null") != 0)
        GTEST_SKIP() << "no PulseAudio here";
    unsetenv("MXMIDI_OFFLINE");
    PulseServer server;
    ASSERT_TRUE(server.ready());

    SaidaMIDI saida(kLibrary);
    ASSERT_TRUE(saida.estaAberta());
    EXPECT_EQ(saida.obterDispositivo(), -1);
    saida.selecionarInstrumento(0, 24);

    const int rate = 48000;
    SinkRecorder recorder(rate);
    const std::vector<float> before = recorder.read(rate / 5);  // the stream runs
    ASSERT_EQ(before.size(), size_t(rate / 5));
    saida.silenciar();
    saida.enviarMensagem(0x90, 40, 127);
    const std::vector<float> sound = recorder.read(rate * 3 / 2);
    ASSERT_EQ(sound.size(), size_t(rate * 3 / 2));

    const size_t start = midi_test::startOfSound(sound, 1e-3f);
    ASSERT_LT(start + rate * 6 / 10, sound.size()) << "no note reached the sink";
    const std::vector<float> steady(sound.begin() + start + rate / 10, sound.begin() + start + rate * 6 / 10);
    EXPECT_NEAR(estimateFundamental(steady, rate, 40, 1000), 82.41, 82.41 * 0.005);
}

TEST_F(OfflineMapper, LibraryRefusesMalformedEventsAndStaleHandles) {
    Mapper mapper;  // the hooks' reference keeps the library loaded
    void* lib = dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto open = reinterpret_cast<decltype(&OpenMidiOut)>(dlsym(lib, "OpenMidiOut"));
    auto put = reinterpret_cast<decltype(&PutMidiOut)>(dlsym(lib, "PutMidiOut"));
    auto reset = reinterpret_cast<decltype(&ResetMidiOut)>(dlsym(lib, "ResetMidiOut"));
    auto close = reinterpret_cast<decltype(&CloseMidiOut)>(dlsym(lib, "CloseMidiOut"));
    auto count = reinterpret_cast<decltype(&GetNumOutDevices)>(dlsym(lib, "GetNumOutDevices"));

    EXPECT_LE(open(nullptr, uint16_t(count()), 0, 78624), MXMIDI_FAILED_HANDLE_MAX) << "a device past the last";
    const MxMidiHandle h = open(nullptr, MXMIDI_MAPPER, 0, 78624);
    ASSERT_GT(h, MXMIDI_FAILED_HANDLE_MAX);

    struct Case {
        MidiEvent event;
        int result;
    };
    const Case cases[] = {
        {{0, 0x90, 40, 127, 0}, MXMIDI_OK},
        {{0, 0x80, 41, 0, 0}, MXMIDI_OK},          // note-off of a silent key
        {{0, 0xE0, 0, 64, 0}, MXMIDI_OK},          // pitch bend centre
        {{0, 0xF8, 0, 0, 0}, MXMIDI_OK},           // clock: accepted, no effect
        {{0, 0x40, 40, 127, 0}, MXMIDI_BAD_EVENT}, // running status is no message
        {{0, 0x90, 200, 127, 0}, MXMIDI_BAD_EVENT},
        {{0, 0xB0, 7, 128, 0}, MXMIDI_BAD_EVENT},
        {{0, 0xF0, 0x7E, 0, 0}, MXMIDI_BAD_EVENT}, // system exclusive
    };
    for (const Case& c : cases)
        EXPECT_EQ(put(h, &c.event), c.result) << std::hex << int(c.event.status) << " " << int(c.event.data1);
    EXPECT_EQ(put(h, nullptr), MXMIDI_BAD_EVENT);

    EXPECT_EQ(close(h), MXMIDI_OK);
    const MidiEvent note{0, 0x90, 40, 127, 0};
    EXPECT_EQ(put(h, &note), MXMIDI_BAD_HANDLE);
    EXPECT_EQ(reset(h), MXMIDI_BAD_HANDLE);
    EXPECT_EQ(close(h), MXMIDI_BAD_HANDLE);
    EXPECT_EQ(mapper.render(0.01).size(), 0u) << "rendering with no mapper open";
    dlclose(lib);
}
