#pragma once
// A wave-input device that a test drives by hand. While one is installed it
// stands in for every device number (the default one included), so the
// program under test is unchanged. Not thread-safe: main thread only; there
// are no threads behind it. Reports are posted to the open's target and
// arrive when the test spins the Qt event loop
// (QCoreApplication::sendPostedEvents / processEvents).
//
// Opens check, in this order: device count (0: MMSYSERR_NODRIVER), device
// number, the code set by failOpenWith, the format (PCM, 8 or 16 bits, 1 or
// 2 channels: else WAVERR_BADFORMAT). One handle at a time: a second real open
// while one is open answers MMSYSERR_ALLOCATED, as a busy device would.
// Installing a second SteppedDevice hides the first until it is destroyed.

#include "platform/wavein/wavein.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::wavein {

namespace detail {
struct SteppedAccess;
}

class SteppedDevice {
public:
    SteppedDevice();   // installs itself
    ~SteppedDevice();  // uninstalls; an open handle must have been closed
    SteppedDevice(const SteppedDevice&) = delete;
    SteppedDevice& operator=(const SteppedDevice&) = delete;

    // Later opens (query and real) fail with `code`; 0 lets them succeed again.
    void failOpenWith(MMRESULT code);
    // Number of devices waveInGetNumDevs reports (default 1). Device numbers
    // -1..count-1 open; others fail with MMSYSERR_BADDEVICEID, and every open
    // fails with MMSYSERR_NODRIVER while the count is 0.
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

private:
    friend struct detail::SteppedAccess;
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform::wavein
