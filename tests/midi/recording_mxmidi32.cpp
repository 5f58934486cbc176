// A stand-in MIDI library that records every call it receives, so tests can
// see exactly what the program sends. Built in variants that lack one entry
// point (STANDIN_WITHOUT_<NAME>).

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "midi/mxmidi32/mxmidi32.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::ostringstream& journal() {
    static std::ostringstream log;
    return log;
}
int deviceCount = 0;
std::set<int> opening = {-1};  // devices that open; -1 is the mapper
constexpr MxMidiHandle kFirstHandle = 1000;

bool known(MxMidiHandle h) { return h >= kFirstHandle; }

}  // namespace

// Test controls: how many devices there are and which of them open.
EXPORT void StandInConfigure(int devices, const int* opens, int openCount) {
    deviceCount = devices;
    opening.clear();
    for (int i = 0; i < openCount; ++i) opening.insert(opens[i]);
}

// Everything received so far, one call a line.
EXPORT const char* StandInJournal() {
    static std::string text;
    text = journal().str();
    return text.c_str();
}

#ifndef STANDIN_WITHOUT_GetMaxMidiVersion
EXPORT uint32_t GetMaxMidiVersion(void) { return 0x0200; }
#endif

EXPORT int GetNumOutDevices(void) {
    journal() << "count\n";
    return deviceCount;
}

EXPORT MxMidiHandle OpenMidiOut(void* window, uint16_t device, MxMidiHandle sync, uint32_t bufferSize) {
    journal() << "open " << device << " buffer " << bufferSize << (window ? " window" : "")
              << (sync ? " sync" : "") << "\n";
    const int number = device == 0xFFFF ? -1 : device;
    // 32 is the highest failure value, the edge the caller must respect.
    return opening.count(number) ? kFirstHandle + device : 32;
}

EXPORT int PutMidiOut(MxMidiHandle h, const MidiEvent* e) {
    char line[64];
    std::snprintf(line, sizeof line, "put %02x %02x %02x time %u spare %u\n", e->status, e->data1, e->data2,
                  e->time, e->spare);
    journal() << (known(h) ? line : "put to a bad handle\n");
    return MXMIDI_OK;
}

EXPORT int ResetMidiOut(MxMidiHandle h) {
    journal() << (known(h) ? "reset\n" : "reset of a bad handle\n");
    return MXMIDI_OK;
}

#ifndef STANDIN_WITHOUT_FlushMidiOut
EXPORT int FlushMidiOut(MxMidiHandle h) {
    journal() << (known(h) ? "flush\n" : "flush of a bad handle\n");
    return MXMIDI_OK;
}
#endif

EXPORT int CloseMidiOut(MxMidiHandle h) {
    journal() << (known(h) ? "close\n" : "close of a bad handle\n");
    return MXMIDI_OK;
}
