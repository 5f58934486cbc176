#pragma once
// Wave input, shaped after the calls the recorder makes of the operating
// system's wave-input interface, with the same result codes. Behind it:
//   device -1    the default input: ALSA's "default" PCM, or, when the
//                environment variable QUINDRAL_WAVEIN names a WAV file, that
//                file played in a loop at real-time pace;
//   device 0..n-1 the capture PCMs ALSA lists;
//   a stepped device that tests install and drive block by block.
// Reports (open, close, data) are posted to the report target, a NoticeWindow
// living on the main thread, in order; every call here is made from that
// thread and never blocks on the device.

#include <cstdint>

namespace platform {
class NoticeWindow;
}

namespace platform::wavein {

using MMRESULT = unsigned;

// Result codes (the interface's own numbers).
constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;        // unspecified failure
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;  // no device of that number
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;    // device busy
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;     // no capture device at all
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;    // error-text call: unknown code
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT WAVERR_BADFORMAT = 32;     // format not supported
constexpr MMRESULT WAVERR_STILLPLAYING = 33;
constexpr MMRESULT WAVERR_UNPREPARED = 34;

// Report message numbers posted to the target: wParam is the device handle,
// lParam the WaveHeader* of a finished block (data report only).
constexpr unsigned MM_WIM_OPEN = 0x3BE;
constexpr unsigned MM_WIM_CLOSE = 0x3BF;
constexpr unsigned MM_WIM_DATA = 0x3C0;

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// Header flags.
constexpr std::uint32_t WHDR_DONE = 0x01;      // the device has finished with the block
constexpr std::uint32_t WHDR_PREPARED = 0x02;
constexpr std::uint32_t WHDR_INQUEUE = 0x10;

struct WaveHeader {
    char* data = nullptr;
    std::uint32_t bufferLength = 0;   // bytes
    std::uint32_t bytesRecorded = 0;  // bytes the device wrote
    std::uintptr_t user = 0;
    std::uint32_t flags = 0;
    std::uint32_t loops = 0;
};

struct Device;                 // one open device
using HWAVEIN = Device*;

// Open flags.
constexpr std::uint32_t WAVE_FORMAT_QUERY = 0x1;  // format check only; no handle
constexpr std::uint32_t CALLBACK_WINDOW = 0x10000;

constexpr int WAVE_MAPPER = -1;

unsigned waveInGetNumDevs();

// With WAVE_FORMAT_QUERY: 0 when device `deviceId` accepts `format`
// (handle and target may be null). Otherwise opens the device and posts
// MM_WIM_OPEN to `target`.
MMRESULT waveInOpen(HWAVEIN* handle, int deviceId, const WaveFormat* format,
                    NoticeWindow* target, std::uint32_t flags);
MMRESULT waveInPrepareHeader(HWAVEIN h, WaveHeader* header);
MMRESULT waveInUnprepareHeader(HWAVEIN h, WaveHeader* header);
// Queues a prepared block; blocks fill in the order they were queued.
MMRESULT waveInAddBuffer(HWAVEIN h, WaveHeader* header);
MMRESULT waveInStart(HWAVEIN h);
MMRESULT waveInStop(HWAVEIN h);
// Stops capture; every queued block comes back marked done, holding what it
// had recorded so far, each with its data report.
MMRESULT waveInReset(HWAVEIN h);
// Posts MM_WIM_CLOSE; the handle is invalid afterwards. Fails with
// WAVERR_STILLPLAYING while blocks are still queued.
MMRESULT waveInClose(HWAVEIN h);
// Frames captured since the device was opened.
MMRESULT waveInGetPosition(HWAVEIN h, std::uint32_t* samples);

// Text of a result code into `buffer` (NUL-terminated); answers
// MMSYSERR_BADERRNUM for a code it does not know.
MMRESULT waveOutGetErrorText(MMRESULT code, char* buffer, unsigned size);

}  // namespace platform::wavein
