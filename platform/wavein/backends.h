#pragma once
// The device backends behind the interface functions (wavein.cpp picks one).
// Each open function: with `query` only checks (no handle, no report);
// otherwise stores a new registered-to-be Device in *handle.

#include "platform/wavein/wavein.h"

#include <filesystem>
#include <optional>

namespace platform::wavein {

struct Device;
class SteppedDevice;

namespace detail {

// Stepped device (tests).
SteppedDevice* installedSteppedDevice();
struct SteppedAccess {
    static unsigned count(const SteppedDevice& d);
    static MMRESULT open(SteppedDevice& d, Device** handle, int deviceId, const WaveFormat& format,
                         NoticeWindow* target, bool query);
    static void closed(SteppedDevice& d, const Device* handle);
};

// ALSA capture: -1 is "default", 0..n-1 the listed capture PCMs.
unsigned alsaDeviceCount();
MMRESULT alsaOpen(Device** handle, int deviceId, const WaveFormat& format, NoticeWindow* target, bool query);

// File-backed default device.
struct FileOptions {
    std::filesystem::path path;
    bool paced = true;
    bool looping = true;
};
// The file device's settings when a file is chosen (environment and setters).
std::optional<FileOptions> fileOptions();
MMRESULT fileOpen(Device** handle, const FileOptions& options, const WaveFormat& format, NoticeWindow* target,
                  bool query);

}  // namespace detail
}  // namespace platform::wavein
