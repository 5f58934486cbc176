#pragma once
// A spectrum the tests write bin by bin.

#include "tuner/core/espectro.h"

#include <cmath>
#include <vector>

class EspectroFalso final : public Espectro {
public:
    explicit EspectroFalso(double taxa = 11025.0, int n = 16384)
        : taxa_(taxa), n_(n), bins_(static_cast<std::size_t>(n / 2), 0.0) {}

    int tamanho() const override { return n_; }
    double taxaAmostragem() const override { return taxa_; }
    double magnitude(int i) const override { return bins_.at(static_cast<std::size_t>(i)); }

    double largura() const { return taxa_ / n_; }
    int binMaisProximo(double hertz) const { return static_cast<int>(std::lround(hertz / largura())); }

    void limpar() { bins_.assign(bins_.size(), 0.0); }
    void definir(int bin, double m) { bins_.at(static_cast<std::size_t>(bin)) = m; }
    // Only `bin` sounds (plus a weaker neighbour on each side, as a real tone leaks).
    void tom(int bin, double m = 100.0) {
        limpar();
        definir(bin, m);
        definir(bin - 1, m / 3);
        definir(bin + 1, m / 3);
    }

private:
    double taxa_;
    int n_;
    std::vector<double> bins_;
};
