#pragma once
// The note relation every part of the tuner shares: a MIDI note number, its
// name and its equal-tempered frequency (note 69 = 440 Hz).

#include <cstdint>

namespace nota {

// Highest note that has a frequency; notes run from 0 to this (127 values).
inline constexpr std::int32_t notaMaxima = 126;

// Frequency in Hz of MIDI note n (0..126): 13.75 * 2^((n - 9) / 12), in
// double precision. Note 69 gives exactly 440.
double frequencia(std::int32_t n);

// Name of note n (n >= 0): "C", "C#", ... "B" by n mod 12, sharps only, no
// octave number. The text is static.
const char* nome(std::int32_t n);

}  // namespace nota
