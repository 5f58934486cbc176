#pragma once
// The working tables of the spectrum analyser for one transform size N (a
// power of two): the sample history, the bit-reversal table, the work array
// and the twiddle factors. Built once per device opening; analysing a block
// obtains no memory.

#include <cstddef>
#include <vector>

class FftTables {
public:
    // Builds the tables for `n` points (a power of two, >= 1): history and
    // spectrum all zeros.
    void build(int n);
    void release();
    bool empty() const { return n_ == 0; }
    int size() const { return n_; }

    // Drops the oldest `count` samples (0 <= count <= N) and returns where the
    // newest `count` samples go: history[N - count .. N - 1].
    double* shiftHistory(int count);
    // Copies the history bit-reversed into the work array and transforms it
    // in place: X[k] = sum over n of history[n] * e^(-2 pi i n k / N).
    void transform();

    // |X[i]| / sqrt(N); 0 for an index outside 0..N-1 or without tables.
    double magnitude(int i) const;

    // Memory the tables hold, in bytes.
    std::size_t bytes() const;

    struct Complex {
        double re;
        double im;
    };
    const Complex* spectrum() const { return work_.data(); }

private:
    int n_ = 0;
    int stages_ = 0;
    double rootN_ = 0;
    std::vector<double> history_;
    std::vector<int> reverse_;
    std::vector<Complex> work_;
    // Stage s (1..L) uses 2^(s-1) factors, cos(2 pi j / 2^s) - i sin(2 pi j / 2^s);
    // they lie one stage after another, stage s from index 2^(s-1) - 1.
    std::vector<Complex> twiddles_;
};
