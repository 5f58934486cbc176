#include "midi/max_midi.h"

#include <system_error>

#include "platform/files/files.h"

namespace {

constexpr const char* kLibraryName = "MxMidi32";

template <typename Function>
void bind(const platform::dynlib::DynamicLibrary& library, const char* name, Function& slot) {
    slot = library.function<Function>(name);
    if (!slot) throw EMaxMidiException(std::string("Failed to loadproc:") + name);
}

}  // namespace

std::filesystem::path TMaxMidi::libraryPath(const std::filesystem::path& location) {
    const std::string file = platform::dynlib::libraryFileName(kLibraryName);
    if (location.empty()) return std::filesystem::path(platform::files::executableDirectory()) / file;
    std::error_code ec;
    if (std::filesystem::is_directory(location, ec)) return location / file;
    return location;
}

TMaxMidi::TMaxMidi(const std::filesystem::path& location) : library_(libraryPath(location)) {
    if (!library_.loaded()) throw EMaxMidiException("Load of MxMidi32.dll failed");
    // A throw below leaves the constructor, and library_'s destructor
    // releases the library before the exception travels on.
    bind(library_, "GetMaxMidiVersion", entry_.GetMaxMidiVersion);
    bind(library_, "GetNumOutDevices", entry_.GetNumOutDevices);
    bind(library_, "OpenMidiOut", entry_.OpenMidiOut);
    bind(library_, "PutMidiOut", entry_.PutMidiOut);
    bind(library_, "ResetMidiOut", entry_.ResetMidiOut);
    bind(library_, "FlushMidiOut", entry_.FlushMidiOut);
    bind(library_, "CloseMidiOut", entry_.CloseMidiOut);
    version_ = entry_.GetMaxMidiVersion();
}
