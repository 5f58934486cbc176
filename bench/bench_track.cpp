// CPU cost of the whole measuring path per second of audio: the file-backed
// input device (unpaced), the recorder, the analyser (16384 points, blocks of
// 4069 frames) and 20 loop ticks per second, as quindral-track runs them.
// Process CPU time, so the device's worker thread counts too. Reference, in
// the same run: the analyser's own per-block work alone for the same audio,
// so the ratio is what capture, delivery and the ticks cost on top of the
// transform itself.

#include "bench/collector.h"
#include "bench/figures.h"

#ifndef QUINDRAL_NO_TRACK_RUNNER

#include "audio/fft_tables.h"
#include "platform/clock/manual_clock.h"
#include "tools/track/file_tracker.h"
#include "tuner/core/espectro.h"
#include "tuner/core/medidor_afinacao.h"
#include "tunings/afinacao.h"

#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <QCoreApplication>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <numbers>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRate = 11025;
constexpr int kBlock = 4069;
constexpr int kPoints = 16384;
constexpr double kSeconds = 10.0;

std::filesystem::path recording;

// An A2 string with harmonics, at the capture rate so no rate conversion is measured.
std::vector<double> stringSamples() {
    std::vector<double> samples(static_cast<std::size_t>(kSeconds * kRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double v = 0;
        for (int h = 1; h <= 4; ++h) v += 0.5 / h * std::sin(2 * std::numbers::pi * 110.0 * h * double(i) / kRate);
        samples[i] = v;
    }
    return samples;
}

bool writeRecording(const std::filesystem::path& path) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return false;
    const std::vector<double> samples = stringSamples();
    const bool ok = sf_writef_double(file, samples.data(), sf_count_t(samples.size())) == sf_count_t(samples.size());
    sf_close(file);
    return ok;
}

void BM_TrackWholePath(benchmark::State& state) {
    TrackOptions options;
    options.note = 45;
    long long frames = 0;
    for (auto _ : state) {
        const TrackResult result = trackFile(recording, options, {});
        frames += result.frames;
        benchmark::DoNotOptimize(result.finalNeedle);
    }
    state.counters["audio_s"] = double(frames) / kRate / double(state.iterations());
}
BENCHMARK(BM_TrackWholePath)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The analyser's block work for the same ten seconds.
void BM_BareAnalysis(benchmark::State& state) {
    FftTables tables;
    tables.build(kPoints);
    const std::vector<double> samples = stringSamples();
    std::vector<std::uint8_t> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
        pcm[i] = std::uint8_t(std::lround(128.0 + 127.0 * samples[i] / 1.05));
    for (auto _ : state) {
        for (std::size_t start = 0; start < pcm.size(); start += kBlock) {
            const int count = int(std::min<std::size_t>(kBlock, pcm.size() - start));
            double* tail = tables.shiftHistory(count);
            for (int f = 0; f < count; ++f) tail[f] = double(pcm[start + std::size_t(f)] * 64 - 8192);
            tables.transform();
        }
        benchmark::DoNotOptimize(tables.spectrum());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BareAnalysis)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// The loop's share: 20 ticks per second of audio over a full spectrum.
class TableSpectrum final : public Espectro {
public:
    explicit TableSpectrum(const FftTables& t) : t_(t) {}
    int tamanho() const override { return t_.size(); }
    double taxaAmostragem() const override { return kRate; }
    double magnitude(int i) const override { return t_.magnitude(i); }

private:
    const FftTables& t_;
};

void BM_TicksForTenSeconds(benchmark::State& state) {
    FftTables tables;
    tables.build(kPoints);
    const std::vector<double> samples = stringSamples();
    double* tail = tables.shiftHistory(kPoints);
    for (int i = 0; i < kPoints; ++i) tail[i] = samples[std::size_t(i)] * 8000;
    tables.transform();
    const TableSpectrum espectro(tables);
    PainelPonteiroMemoria painel;
    platform::clock::ManualClock relogio;
    const Afinacao afinacao = Afinacao::criar("", "", {45});
    MedidorAfinacao medidor(espectro, painel, relogio);
    medidor.definirAfinacao(&afinacao);
    for (auto _ : state) {
        for (int k = 0; k < int(kSeconds * 20); ++k) {
            relogio.advance(0.05);
            benchmark::DoNotOptimize(medidor.timerTimer());
        }
    }
}
BENCHMARK(BM_TicksForTenSeconds)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    char dir[] = "/tmp/quindral-bench-track-XXXXXX";
    if (!::mkdtemp(dir)) return 1;
    recording = std::filesystem::path(dir) / "a2.wav";
    if (!writeRecording(recording)) return 1;

    bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    std::filesystem::remove_all(dir);

    const double track = collector.cpuNanosecondsOf("BM_TrackWholePath") / 1e6;
    const double bare = collector.cpuNanosecondsOf("BM_BareAnalysis") / 1e6;
    const double ticks = collector.cpuNanosecondsOf("BM_TicksForTenSeconds") / 1e6;
    if (track >= 0) bench::reportFigure("track cpu ms per audio second", track / kSeconds);
    if (bare >= 0) bench::reportFigure("bare analysis cpu ms per audio second", bare / kSeconds);
    if (ticks >= 0) bench::reportFigure("track ticks cpu ms per audio second", ticks / kSeconds);
    if (track > 0 && bare > 0) bench::reportFigure("track vs bare analysis ratio", track / bare, 2);
    return 0;
}

#else

int main() {
    std::fprintf(stderr, "bench_track: the tracking runner is not part of this build\n");
    return 0;
}

#endif
