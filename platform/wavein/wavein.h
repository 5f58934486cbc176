#pragma once
// Wave input, shaped after the calls the recorder makes of the operating
// system's wave-input interface, with the same result codes. Behind it:
//   device -1    the default input: ALSA's "default" PCM (on a desktop, the
//                sound server's default source), or, when the environment
//                variable QUINDRAL_WAVEIN names a sound file, that file;
//   device 0..n-1 the capture PCMs ALSA lists (names whose IOID is "Input" or
//                unset), listed once per process so that numbers stay put;
//   a stepped device that tests install and drive block by block
//   (stepped_device.h); while it is installed it answers for every number.
// Reports (open, close, data) are posted to the report target, a NoticeWindow
// living on the main thread, in order; every call here is made from that
// thread and never blocks on the device: a worker thread per open device
// fills the blocks, and stop, reset and close end it at once.
//
// Formats: PCM, 8-bit unsigned or 16-bit signed little-endian, 1 or 2
// channels, any rate the device accepts (ALSA converts rates as needed);
// anything else is WAVERR_BADFORMAT.
//
// ALSA open failures: device busy -> MMSYSERR_ALLOCATED; no such device
// (unknown number, "default" with no sound server and no card, or a sound
// server that has gone away) ->
// MMSYSERR_BADDEVICEID, or MMSYSERR_NODRIVER when ALSA lists no capture PCM
// at all; out of memory -> MMSYSERR_NOMEM; format refused -> WAVERR_BADFORMAT;
// anything else -> MMSYSERR_ERROR. A device that fails during capture simply
// stops filling blocks.
//
// The file device (QUINDRAL_WAVEIN=<path>, any file libsndfile reads) plays
// the file as if it were a microphone, converted to the requested format
// (channels mixed down or duplicated, rate converted with libsamplerate).
// A file that cannot be read makes open and query fail with
// MMSYSERR_BADDEVICEID. Read at each open:
//   QUINDRAL_WAVEIN_PACE=0  unpaced: blocks fill as fast as they are queued
//                           and no frame is lost (default: real-time pace,
//                           frames that find no queued block are lost);
//   QUINDRAL_WAVEIN_LOOP=0  play once: at the end the device stops filling
//                           blocks (the block begun stays queued until stop or
//                           reset hands it back) and waveInSourceEnded turns
//                           true (default: loop from the start).
// setFilePacing / setFileLooping override the two variables for the process.

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
// Every call taking a handle answers MMSYSERR_INVALHANDLE for one that is not
// open (never opened, or closed).
// Sets WHDR_PREPARED and clears WHDR_DONE; WAVERR_STILLPLAYING while queued.
MMRESULT waveInPrepareHeader(HWAVEIN h, WaveHeader* header);
// Clears WHDR_PREPARED; WAVERR_STILLPLAYING while queued.
MMRESULT waveInUnprepareHeader(HWAVEIN h, WaveHeader* header);
// Queues a prepared block (WAVERR_UNPREPARED otherwise): WHDR_INQUEUE set,
// WHDR_DONE and bytesRecorded cleared. Blocks fill in the order they were
// queued; a finished one has WHDR_DONE set, WHDR_INQUEUE cleared and its data
// report posted, after which the device never touches it again.
MMRESULT waveInAddBuffer(HWAVEIN h, WaveHeader* header);
MMRESULT waveInStart(HWAVEIN h);
// Stops capture; a block partly filled comes back marked done with what it
// holds (with its data report), the empty ones stay queued; start resumes.
MMRESULT waveInStop(HWAVEIN h);
// Stops capture; every queued block comes back marked done, holding what it
// had recorded so far, each with its data report.
MMRESULT waveInReset(HWAVEIN h);
// Ends the device's worker, posts MM_WIM_CLOSE (after every data report) and
// frees the device; the handle is invalid afterwards. Fails with
// WAVERR_STILLPLAYING while blocks are still queued (reset first). Reports
// still pending carry only the handle's number and the caller's header.
MMRESULT waveInClose(HWAVEIN h);
// Frames captured while started since the device was opened (including
// frames lost for want of a queued block), modulo 2^32.
MMRESULT waveInGetPosition(HWAVEIN h, std::uint32_t* samples);

// True when the device plays a file once and has given out its last frame.
bool waveInSourceEnded(HWAVEIN h);

// Override QUINDRAL_WAVEIN_PACE / QUINDRAL_WAVEIN_LOOP for later opens of the
// file device; thread-safe.
void setFilePacing(bool paced);
void setFileLooping(bool looping);

// Text of a result code into `buffer` (NUL-terminated); answers
// MMSYSERR_BADERRNUM for a code it does not know.
MMRESULT waveOutGetErrorText(MMRESULT code, char* buffer, unsigned size);

}  // namespace platform::wavein
