#pragma once
// TMaxMidiOut: one MIDI output device reached through a TMaxMidi library.

#include <cstdint>

#include "midi/max_midi.h"

class TMaxMidiOut {
public:
    // Device number of the system's MIDI mapper (the built-in synthesizer).
    static constexpr int Mapper = -1;

    TMaxMidiOut() = default;
    ~TMaxMidiOut();  // closes the device if open
    TMaxMidiOut(const TMaxMidiOut&) = delete;
    TMaxMidiOut& operator=(const TMaxMidiOut&) = delete;

    // The library the output uses (borrowed; must outlive the open device).
    void setMaxMidi(TMaxMidi* library) { maxMidi_ = library; }
    TMaxMidi* maxMidi() const { return maxMidi_; }

    // Output devices besides the mapper; 0 without a library.
    int numDevices() const;

    // Opens `device` (Mapper, or 0..numDevices()-1; passed on as 16 bits,
    // -1 as 0xFFFF) with an output buffer of `bufferSize` bytes. Closes any
    // device open before. Returns whether it opened; a device that refuses
    // leaves the output closed and raises nothing.
    bool open(int device, uint32_t bufferSize);
    bool isOpen() const { return handle_ != 0; }

    // Put one event to the device at once; the record may be discarded as
    // soon as the call returns. Returns the library's result code, or
    // MXMIDI_BAD_HANDLE when closed.
    int put(const MidiEvent& event);
    int reset();  // stops every sounding note; the device stays open
    int flush();
    void close();  // safe when closed

private:
    TMaxMidi* maxMidi_ = nullptr;
    MxMidiHandle handle_ = 0;
};
