#pragma once
// TMaxMidi: the MIDI library component. Loads the MIDI-services library
// "MxMidi32" (libMxMidi32.so) and takes its entry points; TMaxMidiOut
// reaches the devices through it.

#include <filesystem>

#include "midi/mxmidi32/mxmidi32.h"
#include "platform/core/exceptions.h"
#include "platform/dynlib/dynamic_library.h"

QUINDRAL_EXCEPTION_CLASS(EMaxMidiException, Exception)

class TMaxMidi {
public:
    // The entry points, bound at load.
    struct EntryPoints {
        uint32_t (*GetMaxMidiVersion)(void) = nullptr;
        int (*GetNumOutDevices)(void) = nullptr;
        MxMidiHandle (*OpenMidiOut)(void*, uint16_t, MxMidiHandle, uint32_t) = nullptr;
        int (*PutMidiOut)(MxMidiHandle, const MidiEvent*) = nullptr;
        int (*ResetMidiOut)(MxMidiHandle) = nullptr;
        int (*FlushMidiOut)(MxMidiHandle) = nullptr;
        int (*CloseMidiOut)(MxMidiHandle) = nullptr;
    };

    // Loads the library from `location`: a directory holding libMxMidi32.so,
    // or the library file itself; empty means the application folder (the
    // executable's directory). Raises EMaxMidiException "Load of MxMidi32.dll
    // failed" when it cannot be loaded, and "Failed to loadproc:<name>" (after
    // releasing it) when an entry point is missing.
    explicit TMaxMidi(const std::filesystem::path& location = {});

    TMaxMidi(const TMaxMidi&) = delete;
    TMaxMidi& operator=(const TMaxMidi&) = delete;

    const EntryPoints& entryPoints() const noexcept { return entry_; }
    uint32_t version() const noexcept { return version_; }  // 0x0200 is 2.0

    // The library file a `location` as above stands for.
    static std::filesystem::path libraryPath(const std::filesystem::path& location);

private:
    platform::dynlib::DynamicLibrary library_;
    EntryPoints entry_;
    uint32_t version_ = 0;
};
