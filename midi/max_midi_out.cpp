#include "midi/max_midi_out.h"

TMaxMidiOut::~TMaxMidiOut() { close(); }

int TMaxMidiOut::numDevices() const {
    return maxMidi_ ? maxMidi_->entryPoints().GetNumOutDevices() : 0;
}

bool TMaxMidiOut::open(int device, uint32_t bufferSize) {
    close();
    if (!maxMidi_) return false;
    const MxMidiHandle h = maxMidi_->entryPoints().OpenMidiOut(nullptr, static_cast<uint16_t>(device), 0, bufferSize);
    if (h > MXMIDI_FAILED_HANDLE_MAX) handle_ = h;
    return isOpen();
}

int TMaxMidiOut::put(const MidiEvent& event) {
    return isOpen() ? maxMidi_->entryPoints().PutMidiOut(handle_, &event) : MXMIDI_BAD_HANDLE;
}

int TMaxMidiOut::reset() {
    return isOpen() ? maxMidi_->entryPoints().ResetMidiOut(handle_) : MXMIDI_BAD_HANDLE;
}

int TMaxMidiOut::flush() {
    return isOpen() ? maxMidi_->entryPoints().FlushMidiOut(handle_) : MXMIDI_BAD_HANDLE;
}

void TMaxMidiOut::close() {
    if (!isOpen()) return;
    maxMidi_->entryPoints().CloseMidiOut(handle_);
    handle_ = 0;
}
