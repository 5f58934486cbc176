// Time from SaidaMIDI::enviarMensagem to the first audible sample of the
// reference note, with the synthesizer's buffer settings.
//
// The real-time part is the audio queued ahead of the device when the
// note-on arrives: at worst (periods + 1) * periodSize frames (the device's
// buffer and the period waiting to enter it). The synthesizer's own part -
// block quantisation and the attack up to -60 dBFS - is measured by
// rendering offline, at every position of the note-on within a 64-frame
// synthesis block. The benchmarks compare the cost of a click (reset,
// note-on, one period rendered) through the whole library path with the
// same work done on FluidSynth directly.

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/collector.h"
#include "bench/figures.h"
#include "midi/saida_midi.h"

namespace {

constexpr float kAudible = 1e-3f;  // -60 dBFS
constexpr int kNote = 40;          // low E of a guitar

struct Hooks {
    int (*render)(float*, float*, int) = nullptr;
    int (*settings)(int*, int*, int*, char*, int) = nullptr;
};

Hooks hooks() {
    static void* lib = dlopen(MIDI_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    Hooks h;
    if (!lib) return h;
    h.render = reinterpret_cast<decltype(h.render)>(dlsym(lib, "MxMidiRender"));
    h.settings = reinterpret_cast<decltype(h.settings)>(dlsym(lib, "MxMidiMapperSettings"));
    return h;
}

// The offline mapper behind a SaidaMIDI, as the main window sets it up.
SaidaMIDI& saida() {
    static std::unique_ptr<SaidaMIDI> s = [] {
        setenv("MXMIDI_OFFLINE", "1", 1);
        auto p = std::make_unique<SaidaMIDI>(MIDI_LIBRARY);
        p->selecionarInstrumento(0, 24);
        return p;
    }();
    return *s;
}

std::vector<float> render(int frames) {
    std::vector<float> left(frames), right(frames);
    hooks().render(left.data(), right.data(), frames);
    for (int i = 0; i < frames; ++i) left[i] = std::max(std::fabs(left[i]), std::fabs(right[i]));
    return left;
}

// Frames from the note-on to the first audible sample, the note-on coming
// `phase` frames into a synthesis block.
int onsetFrames(int phase) {
    SaidaMIDI& s = saida();
    s.silenciar();
    render(4096 - phase);  // ends on a block boundary: 4096 is 64 blocks
    render(phase);
    s.enviarMensagem(0x90, kNote, 127);
    const std::vector<float> sound = render(4096);
    const auto first = std::find_if(sound.begin(), sound.end(), [](float v) { return v > kAudible; });
    return static_cast<int>(first - sound.begin());
}

void BM_ClickThroughLibrary(benchmark::State& state) {
    SaidaMIDI& s = saida();
    int periodSize = 0;
    hooks().settings(nullptr, &periodSize, nullptr, nullptr, 0);
    std::vector<float> left(periodSize), right(periodSize);
    for (auto _ : state) {
        s.silenciar();
        s.enviarMensagem(0x90, kNote, 127);
        hooks().render(left.data(), right.data(), periodSize);
        benchmark::DoNotOptimize(left.data());
    }
}
BENCHMARK(BM_ClickThroughLibrary);

void BM_ClickOnFluidSynth(benchmark::State& state) {
    int rate = 0, periodSize = 0;
    char font[512] = {};
    saida();
    hooks().settings(&rate, &periodSize, nullptr, font, sizeof font);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_settings_setint(settings, "synth.reverb.active", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_synth_sfload(synth, font, 1);
    fluid_synth_program_change(synth, 0, 24);
    std::vector<float> left(periodSize), right(periodSize);
    for (auto _ : state) {
        fluid_synth_all_sounds_off(synth, -1);
        fluid_synth_noteon(synth, 0, kNote, 127);
        fluid_synth_write_float(synth, periodSize, left.data(), 0, 1, right.data(), 0, 1);
        benchmark::DoNotOptimize(left.data());
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}
BENCHMARK(BM_ClickOnFluidSynth);

}  // namespace

int main(int argc, char** argv) {
    if (!hooks().render || !saida().estaAberta()) {
        std::fprintf(stderr, "bench_midi_latency: the synthesizer does not open (no sound font?)\n");
        return 1;
    }
    int rate = 0, periodSize = 0, periods = 0;
    char font[512] = {};
    hooks().settings(&rate, &periodSize, &periods, font, sizeof font);

    int worst = 0;
    double sum = 0;
    for (int phase = 0; phase < 64; ++phase) {
        const int onset = onsetFrames(phase);
        worst = std::max(worst, onset);
        sum += onset;
    }
    const double msPerFrame = 1000.0 / rate;
    const double queued = double(periods + 1) * periodSize;
    std::printf("sound font %s, %d Hz, period %d frames, %d periods\n", font, rate, periodSize, periods);
    bench::reportFigure("midi queued audio ms", queued * msPerFrame, 2);
    bench::reportFigure("midi synth onset worst ms", worst * msPerFrame, 2);
    bench::reportFigure("midi synth onset mean ms", sum / 64 * msPerFrame, 2);
    bench::reportFigure("midi note-on to sound ms", (queued + worst) * msPerFrame, 2);

    benchmark::Initialize(&argc, argv);
    bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    const auto ours = collector.nanoseconds.find("BM_ClickThroughLibrary");
    const auto direct = collector.nanoseconds.find("BM_ClickOnFluidSynth");
    if (ours != collector.nanoseconds.end() && direct != collector.nanoseconds.end() && direct->second > 0) {
        bench::reportFigure("midi click per period ns", ours->second, 0);
        bench::reportFigure("midi click library vs fluidsynth ratio", ours->second / direct->second, 2);
    }
    return 0;
}
