#pragma once
// TFFT: magnitude spectrum of the newest N samples of a recorder's stream.
//
// Each finished block of the source shifts the history of N samples by the
// block's length, appends the block, and transforms the whole history
// (unweighted complex radix-2 FFT, in place). Bin k stands for
// k * rate / N Hz; for real input bins 0..N/2-1 carry the whole spectrum.
//
// N is the smallest power of two at least BufSize and at least the source's
// block length (and at least 1); BufSize reads N after sizing. The tables are
// built when the source opens its device (and before the first block if
// none exist), so the history starts from zeros after every opening.

#include "audio/bar_analysis.h"
#include "audio/fft_tables.h"

#include <cstdint>

class TRecorder;

enum TFFTChannel { chBoth = 0, chLeft = 1, chRight = 2 };

class TFFT : public TBarAnalysis {
public:
    explicit TFFT(platform::Component* owner = nullptr);
    ~TFFT() override;

    // sqrt(Re^2 + Im^2) / sqrt(N) of bin i (0 <= i < N) of the latest
    // spectrum, in sample units (8-bit input spans -8192..8128). 0 for a bin
    // outside 0..N-1 and while no tables exist.
    double Magnitude(int i) const;

    int BandCount() const override;              // N / 2
    double BandLevel(int i) const override;      // Magnitude(i) / 1024
    double BandFrequency(int i) const override;  // i * rate / N, whole Hz rounded down

    // Takes the source's current block, updates the spectrum, tells the
    // listeners (aeData).
    virtual void Analyse(TRecorder* source);
    // The entry registered with the source: aeOpen rebuilds the tables,
    // aeData analyses the block, aeClose does nothing.
    virtual void SourceEvent(platform::Component* sender, TAudioEvent event);

    // The recorder whose blocks are analysed (not owned). Setting another one
    // moves the registration to it and sizes again; the tables are rebuilt
    // when it opens its device.
    TRecorder* Source() const { return source_; }
    void SetSource(TRecorder* source);

    // Requested transform size (default 1024); reads N after sizing. Setting
    // it rebuilds existing tables at once (telling listeners aeOpen).
    int BufSize() const { return bufSize_; }
    void SetBufSize(int points);

    // Which channel is analysed; takes effect with the next block.
    TFFTChannel Channels() const { return channels_; }
    void SetChannels(TFFTChannel channels) { channels_ = channels; }

    // Sampling rate of the last analysed block, Hz (0 before the first).
    std::uint32_t SamplingRate() const { return rate_; }
    bool HasTables() const { return !tables_.empty(); }
    const FftTables& Tables() const { return tables_; }

protected:
    void Notification(platform::Component* component, Operation operation) override;

private:
    void Sizing();
    void Allocate();
    void ReleaseTables();
    TAudioListener sourceEntry();
    void load(const TRecorder& source, int firstFrame, int count, double* into) const;

    TRecorder* source_ = nullptr;
    bool attached_ = false;
    int bufSize_ = 1024;
    TFFTChannel channels_ = chBoth;
    std::uint32_t rate_ = 0;
    FftTables tables_;
};
