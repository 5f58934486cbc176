#pragma once
// What the measuring loop reads of a spectrum: the transform size N, the
// sampling rate, and the magnitude of each bin. Bin i stands for
// i * taxaAmostragem() / N Hz; bins 0..N/2-1 are the ones searched.

#include <cstdint>

class TFFT;

class Espectro {
public:
    virtual ~Espectro() = default;
    // Transform size N (points), at least 2 for anything to be searched.
    virtual int tamanho() const = 0;
    // Samples per second the spectrum was taken at, Hz (> 0).
    virtual double taxaAmostragem() const = 0;
    // Magnitude of bin i (0 <= i < N/2), non-negative; only compared, so its
    // scale does not matter.
    virtual double magnitude(int i) const = 0;
};

// The analyser's latest spectrum. The rate is the one capture was asked for
// (the analyser knows its rate only after its first block).
class EspectroTFFT final : public Espectro {
public:
    EspectroTFFT(const TFFT& fft, double taxaAmostragem) : fft_(fft), taxa_(taxaAmostragem) {}

    int tamanho() const override;
    double taxaAmostragem() const override { return taxa_; }
    double magnitude(int i) const override;

private:
    const TFFT& fft_;
    double taxa_;
};
