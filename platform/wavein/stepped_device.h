#pragma once
// A wave-input device that a test drives by hand. While one is installed it
// stands in for every device number (the default one included), so the
// program under test is unchanged. Not thread-safe: main thread only.

#include "platform/wavein/wavein.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::wavein {

class SteppedDevice {
public:
    SteppedDevice();   // installs itself
    ~SteppedDevice();  // uninstalls; an open handle must have been closed
    SteppedDevice(const SteppedDevice&) = delete;
    SteppedDevice& operator=(const SteppedDevice&) = delete;

    // Later opens (query and real) fail with `code`; 0 lets them succeed again.
    void failOpenWith(MMRESULT code);
    // Number of devices waveInGetNumDevs reports (default 1).
    void setDeviceCount(unsigned count);

    // Fills the oldest queued block with `bytes` (repeated or cut to its
    // length; an empty vector fills it with silence, byte 128), marks it
    // done and posts its data report. False when the device is not open,
    // not started, or has no queued block.
    bool completeBlock(const std::vector<std::uint8_t>& bytes);
    // As completeBlock, but with only `bytes.size()` bytes recorded.
    bool completePartialBlock(const std::vector<std::uint8_t>& bytes);

    // What the recorder did with the device.
    bool isOpen() const;
    bool isStarted() const;
    int queuedBlocks() const;
    int openCount() const;               // successful real opens so far
    const WaveFormat& lastFormat() const;  // format of the last open or query
    // Data pointers of the queued blocks, oldest first.
    std::vector<const char*> queuedData() const;
};

}  // namespace platform::wavein
