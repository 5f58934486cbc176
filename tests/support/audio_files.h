#pragma once
// Sound fixtures: WAV files written with libsndfile, and the strongest
// frequency of a stretch of PCM, for tests that check what a device captured.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace test_support {

// Writes `seconds` of a sine of `hertz` at `amplitude` (0..1 of full scale),
// the same in every channel, as 16-bit PCM WAV. Throws std::runtime_error
// when the file cannot be written.
void writeSineWav(const std::filesystem::path& path, double hertz, int rate, int channels,
                  double seconds, double amplitude = 0.5);

// Samples of 8-bit unsigned PCM (128 = silence) as signed values -128..127.
std::vector<double> fromUnsigned8(const std::vector<std::uint8_t>& bytes);
std::vector<double> fromUnsigned8(const char* data, std::size_t count);

// The frequency in hertz (interpolated between bins) with the greatest
// magnitude in a Hann-windowed DFT of the first `maxSamples` samples, DC
// excluded. Resolution about rate / maxSamples; 0 for fewer than 16 samples.
double dominantFrequency(const std::vector<double>& samples, double rate,
                         std::size_t maxSamples = 4096);

// Root mean square of the samples about their mean.
double rms(const std::vector<double>& samples);

}  // namespace test_support
