#pragma once
// One open output of the library: the synthesizer or a sequencer port.

#include "midi/mxmidi32/mxmidi32.h"

namespace mxmidi {

class Output {
public:
    virtual ~Output() = default;
    virtual int put(const MidiEvent& event) = 0;  // MXMIDI_* result
    virtual int reset() = 0;                      // all sound off, every channel
    virtual int flush() = 0;
};

// Bytes in the short message that begins with `status` (1..3), or 0 when it
// is no status byte or begins a system-exclusive message, which a short
// event cannot carry.
inline int midiMessageLength(uint8_t status) {
    if (status < 0x80) return 0;
    switch (status & 0xF0) {
        case 0xC0:
        case 0xD0: return 2;
        case 0xF0: break;
        default: return 3;
    }
    switch (status) {
        case 0xF1:
        case 0xF3: return 2;
        case 0xF2: return 3;
        case 0xF0:
        case 0xF7: return 0;
        default: return 1;
    }
}

// True when the data bytes the message uses are 0..127.
inline bool midiDataValid(const MidiEvent& event) {
    const int length = midiMessageLength(event.status);
    if (length == 0) return false;
    if (length >= 2 && event.data1 > 0x7F) return false;
    if (length >= 3 && event.data2 > 0x7F) return false;
    return true;
}

// Channel-mode controllers a reset sends on every channel.
constexpr uint8_t kAllSoundOff = 120;
constexpr uint8_t kAllNotesOff = 123;

}  // namespace mxmidi
