// Per-block cost of the analyser at the main window's settings (N = 16384,
// blocks of 4069 frames of 8-bit mono): history shift, sample conversion,
// bit-reversed copy and transform; against FFTW's complex transform of the
// same size, planned once, measured in the same run.

#include "audio/fft_tables.h"
#include "bench/collector.h"
#include "bench/figures.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kPoints = 16384;
constexpr int kBlock = 4069;

std::vector<std::uint8_t> randomBlock() {
    std::mt19937 random(1);
    std::vector<std::uint8_t> block(kBlock);
    for (auto& b : block) b = std::uint8_t(random() & 0xFF);
    return block;
}

void BM_FftAnalysisPerBlock(benchmark::State& state) {
    FftTables tables;
    tables.build(kPoints);
    const std::vector<std::uint8_t> block = randomBlock();
    for (auto _ : state) {
        double* tail = tables.shiftHistory(kBlock);
        for (int f = 0; f < kBlock; ++f) tail[f] = double(block[std::size_t(f)] * 64 - 8192);
        tables.transform();
        benchmark::DoNotOptimize(tables.spectrum());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FftAnalysisPerBlock)->Unit(benchmark::kNanosecond);

void BM_FftwPerBlock(benchmark::State& state) {
    fftw_complex* in = fftw_alloc_complex(kPoints);
    fftw_complex* out = fftw_alloc_complex(kPoints);
    const fftw_plan plan = fftw_plan_dft_1d(kPoints, in, out, FFTW_FORWARD, FFTW_MEASURE);
    const std::vector<std::uint8_t> block = randomBlock();
    for (int i = 0; i < kPoints; ++i) {
        in[i][0] = double(block[std::size_t(i % kBlock)] * 64 - 8192);
        in[i][1] = 0.0;
    }
    for (auto _ : state) {
        fftw_execute(plan);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
}
BENCHMARK(BM_FftwPerBlock)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    bench::Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    const auto ours = collector.nanoseconds.find("BM_FftAnalysisPerBlock");
    const auto fftw = collector.nanoseconds.find("BM_FftwPerBlock");
    if (ours != collector.nanoseconds.end()) bench::reportFigure("fft analysis per block ns", ours->second, 0);
    if (fftw != collector.nanoseconds.end()) bench::reportFigure("fftw per block ns", fftw->second, 0);
    if (ours != collector.nanoseconds.end() && fftw != collector.nanoseconds.end() && fftw->second > 0)
        bench::reportFigure("fft vs fftw ratio", ours->second / fftw->second, 2);

    FftTables tables;
    tables.build(kPoints);
    bench::reportFigure("fft tables bytes (N=16384)", double(tables.bytes()), 0);
    return 0;
}
