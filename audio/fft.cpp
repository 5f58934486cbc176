#include "audio/fft.h"

#include "audio/recorder.h"

#include <algorithm>

namespace {

// Largest transform the sizing will pick: keeps the doubling from overflowing.
constexpr int kMaxPoints = 1 << 30;

}  // namespace

TFFT::TFFT(platform::Component* owner) : TBarAnalysis(owner) {}

TFFT::~TFFT() {
    if (attached_ && source_) source_->RemoveListener(sourceEntry());
    ReleaseTables();
}

TAudioListener TFFT::sourceEntry() { return makeAudioListener<TFFT>(this, &TFFT::SourceEvent); }

void TFFT::Sizing() {
    const int wanted = std::max(bufSize_, source_ ? source_->BufSize() : 0);
    int n = 1;
    while (n < wanted && n < kMaxPoints) n *= 2;
    bufSize_ = n;
}

void TFFT::Allocate() {
    if (!source_) return;
    ReleaseTables();
    Sizing();
    tables_.build(bufSize_);
    NotifyListeners(aeOpen);
}

void TFFT::ReleaseTables() { tables_.release(); }

void TFFT::SetSource(TRecorder* source) {
    if (source == source_) return;
    if (attached_ && source_) source_->RemoveListener(sourceEntry());
    attached_ = false;
    source_ = source;
    if (source_) {
        source_->AddListener(sourceEntry());
        attached_ = true;
    }
    Sizing();
    if (source_) FreeNotification(source_);
}

void TFFT::SetBufSize(int points) {
    bufSize_ = points;
    const bool existed = !tables_.empty();
    ReleaseTables();
    if (existed && source_)
        Allocate();
    else
        Sizing();
}

void TFFT::SourceEvent(platform::Component* sender, TAudioEvent event) {
    switch (event) {
    case aeOpen: Allocate(); break;
    case aeData:
        if (auto* recorder = dynamic_cast<TRecorder*>(sender)) Analyse(recorder);
        break;
    case aeClose: break;
    }
}

void TFFT::load(const TRecorder& source, int firstFrame, int count, double* into) const {
    const int C = source.BlockChannels();
    const int B = source.BlockBitsPerSample();
    const int ch = static_cast<int>(channels_);
    const std::uint8_t* data = source.BlockData();
    const bool oneChannel = data && ch != chBoth && C >= ch && (B == 8 || B == 16);
    for (int k = 0; k < count; ++k) {
        const int f = firstFrame + k;
        int v;
        if (!oneChannel) {
            v = source.SampleValue(f);
        } else {
            const int sample = C * f + ch - 1;
            if (B == 8)
                v = data[sample] * 64 - 8192;
            else
                v = std::int16_t(std::uint16_t(data[2 * sample] | (data[2 * sample + 1] << 8)));
        }
        into[k] = double(v);
    }
}

void TFFT::Analyse(TRecorder* source) {
    if (!source) return;
    rate_ = static_cast<std::uint32_t>(source->BlockFrequency() > 0 ? source->BlockFrequency()
                                                                    : source->Quality().Frequency());
    const int c = source->BlockFrames();
    // Tables missing, or sized before N last changed: build them for N now.
    if (tables_.empty() || tables_.size() != bufSize_) Allocate();
    if (tables_.empty()) return;
    const int n = tables_.size();
    // A block longer than the history keeps only its newest N frames.
    const int taken = std::min(c, n);
    load(*source, c - taken, taken, tables_.shiftHistory(taken));
    tables_.transform();
    NotifyListeners(aeData);
}

double TFFT::Magnitude(int i) const { return tables_.magnitude(i); }

int TFFT::BandCount() const { return bufSize_ / 2; }

double TFFT::BandLevel(int i) const { return tables_.magnitude(i) / 1024.0; }

double TFFT::BandFrequency(int i) const {
    if (bufSize_ <= 0) return 0.0;
    return double(std::int64_t{i} * std::int64_t{rate_} / bufSize_);
}

void TFFT::Notification(platform::Component* component, Operation operation) {
    if (operation == Operation::opRemove && component && component == source_) {
        // The recorder is going away: forget it without calling into it.
        source_ = nullptr;
        attached_ = false;
        ReleaseTables();
    }
    TBarAnalysis::Notification(component, operation);
}
