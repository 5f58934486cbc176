#include "audio/fft_tables.h"

#include <cmath>
#include <cstring>

void FftTables::build(int n) {
    release();
    if (n < 1) n = 1;
    n_ = n;
    history_.assign(std::size_t(n), 0.0);
    rootN_ = std::sqrt(double(n));

    stages_ = 0;
    for (int v = n - 1; v > 0; v /= 2) ++stages_;

    // Incremental reverse counter: r runs through the bit-reversed indexes.
    reverse_.assign(std::size_t(n), 0);
    int r = 0;
    for (int i = 0; i < n - 1; ++i) {
        reverse_[std::size_t(i)] = r;
        int k = n / 2;
        while (k <= r) {
            r -= k;
            k /= 2;
        }
        r += k;
    }
    reverse_[std::size_t(n - 1)] = n - 1;

    work_.assign(std::size_t(n), Complex{0.0, 0.0});

    twiddles_.clear();
    twiddles_.reserve(std::size_t(n));
    for (int s = 1; s <= stages_; ++s) {
        const double span = double(1 << s);
        for (int j = 0; j < (1 << (s - 1)); ++j) {
            const double angle = j * 6.283185307179586 / span;
            twiddles_.push_back(Complex{std::cos(angle), -std::sin(angle)});
        }
    }
}

void FftTables::release() {
    n_ = 0;
    stages_ = 0;
    rootN_ = 0;
    history_ = {};
    reverse_ = {};
    work_ = {};
    twiddles_ = {};
}

double* FftTables::shiftHistory(int count) {
    if (count < 0) count = 0;
    if (count > n_) count = n_;
    const std::size_t keep = std::size_t(n_ - count);
    if (count > 0 && keep > 0) std::memmove(history_.data(), history_.data() + count, keep * sizeof(double));
    return history_.data() + keep;
}

void FftTables::transform() {
    const int n = n_;
    Complex* x = work_.data();
    const double* h = history_.data();
    const int* rev = reverse_.data();
    for (int i = 0; i < n; ++i) x[rev[i]] = Complex{h[i], 0.0};

    for (int s = 1; s <= stages_; ++s) {
        const int m = 1 << (s - 1);
        const int span = 2 * m;
        const Complex* w = twiddles_.data() + (m - 1);
        // Every butterfly of a stage is independent of the others, so walking
        // each group in turn gives the same values as walking each factor in
        // turn, with sequential memory access.
        for (int base = 0; base < n; base += span) {
            Complex* lo = x + base;
            Complex* hi = lo + m;
            for (int j = 0; j < m; ++j) {
                const Complex a = hi[j];
                const Complex t{a.re * w[j].re - a.im * w[j].im, a.re * w[j].im + a.im * w[j].re};
                hi[j] = Complex{lo[j].re - t.re, lo[j].im - t.im};
                lo[j] = Complex{lo[j].re + t.re, lo[j].im + t.im};
            }
        }
    }
}

double FftTables::magnitude(int i) const {
    if (i < 0 || i >= n_) return 0.0;
    const Complex& c = work_[std::size_t(i)];
    return std::sqrt(c.re * c.re + c.im * c.im) / rootN_;
}

std::size_t FftTables::bytes() const {
    return history_.capacity() * sizeof(double) + reverse_.capacity() * sizeof(int) +
           work_.capacity() * sizeof(Complex) + twiddles_.capacity() * sizeof(Complex);
}
