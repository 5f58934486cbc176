#pragma once
// Devices 0..n-1: the ports of the ALSA sequencer that accept events
// (hardware synthesizers, soft synths the user runs). Without a sequencer
// (no /dev/snd/seq) there are simply none.

#include <memory>

#include "midi/mxmidi32/output.h"

namespace mxmidi {

// Number of writable sequencer ports other than the sequencer's own.
int countSequencerPorts();

class SequencerOutput final : public Output {
public:
    // Connects to the `index`-th writable port (the order countSequencerPorts
    // counts in), with an output buffer of `bufferSize` bytes (0: the
    // sequencer's default). nullptr when there is no such port or it refuses.
    static std::unique_ptr<SequencerOutput> open(int index, unsigned bufferSize);
    ~SequencerOutput() override;

    int put(const MidiEvent& event) override;
    int reset() override;
    int flush() override;

private:
    struct Handles;
    explicit SequencerOutput(std::unique_ptr<Handles> handles);
    std::unique_ptr<Handles> handles_;
};

}  // namespace mxmidi
