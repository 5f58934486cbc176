#include "tests/support/audio_files.h"

#include <cmath>
#include <numbers>
#include <sndfile.h>
#include <stdexcept>

namespace test_support {

void writeSineWav(const std::filesystem::path& path, double hertz, int rate, int channels,
                  double seconds, double amplitude) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<double> samples(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / rate);
        for (int c = 0; c < channels; ++c) samples[i * channels + c] = v;
    }
    const auto written = sf_writef_double(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
    if (written != static_cast<sf_count_t>(frames)) throw std::runtime_error("short write to " + path.string());
}

std::vector<double> fromUnsigned8(const char* data, std::size_t count) {
    std::vector<double> out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<double>(static_cast<std::uint8_t>(data[i])) - 128.0;
    return out;
}

std::vector<double> fromUnsigned8(const std::vector<std::uint8_t>& bytes) {
    return fromUnsigned8(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

double dominantFrequency(const std::vector<double>& samples, double rate, std::size_t maxSamples) {
    const std::size_t n = std::min(samples.size(), maxSamples);
    if (n < 16) return 0;
    double mean = 0;
    for (std::size_t i = 0; i < n; ++i) mean += samples[i];
    mean /= static_cast<double>(n);
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = (samples[i] - mean) * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / (n - 1)));

    std::vector<double> magnitude(n / 2 + 1, 0.0);
    for (std::size_t k = 1; k <= n / 2; ++k) {
        // Goertzel: one bin at a time, no table needed.
        const double w = 2 * std::cos(2 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(n));
        double s1 = 0, s2 = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double s0 = x[i] + w * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        magnitude[k] = std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - w * s1 * s2));
    }
    std::size_t best = 1;
    for (std::size_t k = 2; k <= n / 2; ++k)
        if (magnitude[k] > magnitude[best]) best = k;
    double offset = 0;
    if (best > 1 && best < n / 2) {
        const double a = magnitude[best - 1], b = magnitude[best], c = magnitude[best + 1];
        const double d = a - 2 * b + c;
        if (d != 0) offset = 0.5 * (a - c) / d;
    }
    return (static_cast<double>(best) + offset) * rate / static_cast<double>(n);
}

double rms(const std::vector<double>& samples) {
    if (samples.empty()) return 0;
    double mean = 0;
    for (double s : samples) mean += s;
    mean /= static_cast<double>(samples.size());
    double sum = 0;
    for (double s : samples) sum += (s - mean) * (s - mean);
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

}  // namespace test_support
