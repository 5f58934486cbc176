#pragma once
// Test helpers for rendered sound: fundamental frequency and levels.

#include <cstddef>
#include <vector>

namespace midi_test {

// Fundamental frequency (Hz) of `samples` at `rate` Hz, searched between
// `minHz` and `maxHz`, by the YIN cumulative-mean-normalised difference with
// parabolic interpolation; 0 when nothing periodic is found.
double estimateFundamental(const std::vector<float>& samples, double rate, double minHz, double maxHz);

double peak(const std::vector<float>& samples, std::size_t from = 0, std::size_t to = static_cast<std::size_t>(-1));

// Index just past the last sample louder than `level`; 0 when none is.
std::size_t endOfSound(const std::vector<float>& samples, float level);

// Index of the first sample louder than `level`; samples.size() when none is.
std::size_t startOfSound(const std::vector<float>& samples, float level);

}  // namespace midi_test
