#include "platform/wavein/wavein.h"

#include "platform/wavein/backends.h"
#include "platform/wavein/device.h"
#include "platform/wavein/stepped_device.h"

#include <cstring>

namespace platform::wavein {
namespace {

const char* errorText(MMRESULT code) {
    switch (code) {
    case MMSYSERR_NOERROR: return "The command completed without error.";
    case MMSYSERR_ERROR: return "Unspecified error in the sound input device.";
    case MMSYSERR_BADDEVICEID: return "There is no sound input device with this number.";
    case MMSYSERR_ALLOCATED: return "The sound input device is already in use.";
    case MMSYSERR_INVALHANDLE: return "The sound device handle is not valid.";
    case MMSYSERR_NODRIVER: return "No sound input device is installed.";
    case MMSYSERR_NOMEM: return "Not enough memory for the sound input device.";
    case MMSYSERR_INVALFLAG: return "An invalid flag was given to the sound input device.";
    case MMSYSERR_INVALPARAM: return "An invalid parameter was given to the sound input device.";
    case WAVERR_BADFORMAT: return "The sound input device does not support this sound format.";
    case WAVERR_STILLPLAYING: return "Blocks are still queued with the sound input device.";
    case WAVERR_UNPREPARED: return "The sound block has not been prepared.";
    default: return nullptr;
    }
}

Device* live(HWAVEIN h) { return isLiveHandle(h) ? h : nullptr; }

}  // namespace

unsigned waveInGetNumDevs() {
    if (auto* stepped = detail::installedSteppedDevice()) return detail::SteppedAccess::count(*stepped);
    return detail::alsaDeviceCount();
}

MMRESULT waveInOpen(HWAVEIN* handle, int deviceId, const WaveFormat* format, NoticeWindow* target,
                    std::uint32_t flags) {
    if (!format) return MMSYSERR_INVALPARAM;
    const bool query = (flags & WAVE_FORMAT_QUERY) != 0;
    if (!query && (!handle || !target)) return MMSYSERR_INVALPARAM;

    Device* device = nullptr;
    MMRESULT result;
    if (auto* stepped = detail::installedSteppedDevice())
        result = detail::SteppedAccess::open(*stepped, &device, deviceId, *format, target, query);
    else if (auto file = detail::fileOptions(); file && deviceId == WAVE_MAPPER)
        result = detail::fileOpen(&device, *file, *format, target, query);
    else
        result = detail::alsaOpen(&device, deviceId, *format, target, query);
    if (result != MMSYSERR_NOERROR || query) return result;

    registerHandle(device);
    *handle = device;
    device->postOpen();
    return MMSYSERR_NOERROR;
}

MMRESULT waveInPrepareHeader(HWAVEIN h, WaveHeader* header) {
    if (!live(h)) return MMSYSERR_INVALHANDLE;
    if (!header || !header->data) return MMSYSERR_INVALPARAM;
    if (header->flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->flags = (header->flags & ~WHDR_DONE) | WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveInUnprepareHeader(HWAVEIN h, WaveHeader* header) {
    if (!live(h)) return MMSYSERR_INVALHANDLE;
    if (!header) return MMSYSERR_INVALPARAM;
    if (header->flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
    header->flags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT waveInAddBuffer(HWAVEIN h, WaveHeader* header) {
    Device* d = live(h);
    return d ? d->addBuffer(header) : MMSYSERR_INVALHANDLE;
}

MMRESULT waveInStart(HWAVEIN h) {
    Device* d = live(h);
    return d ? d->start() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveInStop(HWAVEIN h) {
    Device* d = live(h);
    return d ? d->stop() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveInReset(HWAVEIN h) {
    Device* d = live(h);
    return d ? d->reset() : MMSYSERR_INVALHANDLE;
}

MMRESULT waveInClose(HWAVEIN h) {
    Device* d = live(h);
    if (!d) return MMSYSERR_INVALHANDLE;
    if (d->hasQueuedBlocks()) return WAVERR_STILLPLAYING;
    d->shutdown();  // no report is posted after this
    unregisterHandle(d);
    d->postClose();
    delete d;
    return MMSYSERR_NOERROR;
}

MMRESULT waveInGetPosition(HWAVEIN h, std::uint32_t* samples) {
    Device* d = live(h);
    if (!d) return MMSYSERR_INVALHANDLE;
    if (!samples) return MMSYSERR_INVALPARAM;
    *samples = d->position();
    return MMSYSERR_NOERROR;
}

bool waveInSourceEnded(HWAVEIN h) {
    Device* d = live(h);
    return d && d->sourceEnded();
}

MMRESULT waveOutGetErrorText(MMRESULT code, char* buffer, unsigned size) {
    const char* text = errorText(code);
    if (buffer && size > 0) buffer[0] = '\0';
    if (!text) return MMSYSERR_BADERRNUM;
    if (!buffer || size == 0) return MMSYSERR_INVALPARAM;
    std::strncpy(buffer, text, size - 1);
    buffer[size - 1] = '\0';
    return MMSYSERR_NOERROR;
}

}  // namespace platform::wavein
