#pragma once
// The tuner's capture chain, one place for every program that measures
// pitch: 11025 Hz, one channel of 8 bits, blocks of 4069 frames (about
// 369 ms), and an analyser asked for 16380 points, which it rounds up to
// 16384 (bins 11025 / 16384 Hz apart, history about 1.49 s).

class TRecorder;
class TFFT;

namespace captura_afinador {

constexpr int kTaxaAmostragem = 11025;  // Hz
constexpr int kTamanhoFFT = 16380;      // points requested of the analyser
constexpr int kTamanhoBuffer = 4069;    // frames per recorder block

// Sets up `gravador` (automatic start off, the format above) and makes it the
// source of `fft` with the sizes above. Opens nothing.
void configurar(TRecorder& gravador, TFFT& fft);

}  // namespace captura_afinador
