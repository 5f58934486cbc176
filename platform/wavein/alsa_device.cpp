// ALSA capture. The PCM is configured on the caller's thread at open, so that
// failures come back as result codes at once; from then on only the worker
// thread touches it. The worker waits in poll() on the PCM's descriptors and
// an eventfd that the main thread signals on every change of state, so stop,
// reset and close never wait for the device.

#include "platform/wavein/backends.h"
#include "platform/wavein/device.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform::wavein::detail {
namespace {

// ALSA prints its own complaints to stderr; the result codes say it all.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(quietAlsa); });
}

// The capture PCMs ALSA lists, read once per process so that device numbers
// stay put while the program runs.
const std::vector<std::string>& capturePcms() {
    static const std::vector<std::string> names = [] {
        silenceAlsa();
        std::vector<std::string> out;
        void** hints = nullptr;
        if (snd_device_name_hint(-1, "pcm", &hints) < 0) return out;
        for (void** h = hints; *h; ++h) {
            char* name = snd_device_name_get_hint(*h, "NAME");
            char* io = snd_device_name_get_hint(*h, "IOID");
            if (name && (!io || std::string(io) == "Input")) out.emplace_back(name);
            std::free(name);
            std::free(io);
        }
        snd_device_name_free_hint(hints);
        return out;
    }();
    return names;
}

struct PcmCloser {
    void operator()(snd_pcm_t* p) const { snd_pcm_close(p); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

MMRESULT openError(int err) {
    switch (-err) {
    case EBUSY:
    case EAGAIN:
        return MMSYSERR_ALLOCATED;
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ECONNREFUSED:  // the sound server behind the PCM is not running
    case ENOTCONN:
    case ECONNRESET:
        // No such device; with nothing to capture from at all, no driver.
        return capturePcms().empty() ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    case ENOMEM:
        return MMSYSERR_NOMEM;
    default:
        return MMSYSERR_ERROR;
    }
}

// Applies the format; answers 0, WAVERR_BADFORMAT or another code.
MMRESULT configure(snd_pcm_t* pcm, const WaveFormat& f, snd_pcm_uframes_t* period) {
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    if (snd_pcm_hw_params_any(pcm, hw) < 0) return MMSYSERR_ERROR;
    snd_pcm_hw_params_set_rate_resample(pcm, hw, 1);
    if (snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED) < 0) return WAVERR_BADFORMAT;
    const auto format = f.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_hw_params_set_format(pcm, hw, format) < 0) return WAVERR_BADFORMAT;
    if (snd_pcm_hw_params_set_channels(pcm, hw, f.channels) < 0) return WAVERR_BADFORMAT;
    if (snd_pcm_hw_params_set_rate(pcm, hw, f.samplesPerSec, 0) < 0) return WAVERR_BADFORMAT;
    if (!period) return MMSYSERR_NOERROR;  // a query stops at the format

    // About 15 ms a period keeps the latency low; a quarter second of buffer
    // rides out a worker that is late now and then.
    unsigned periodTime = 15000, bufferTime = 250000;
    int dir = 0;
    snd_pcm_hw_params_set_period_time_near(pcm, hw, &periodTime, &dir);
    snd_pcm_hw_params_set_buffer_time_near(pcm, hw, &bufferTime, &dir);
    const int err = snd_pcm_hw_params(pcm, hw);
    if (err < 0) return err == -ENOMEM ? MMSYSERR_NOMEM : WAVERR_BADFORMAT;
    snd_pcm_hw_params_get_period_size(hw, period, &dir);
    if (*period == 0) *period = f.samplesPerSec / 64 + 1;

    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    if (snd_pcm_sw_params_current(pcm, sw) == 0) {
        snd_pcm_sw_params_set_avail_min(pcm, sw, *period);
        snd_pcm_sw_params_set_start_threshold(pcm, sw, 1);
        snd_pcm_sw_params(pcm, sw);
    }
    return MMSYSERR_NOERROR;
}

class AlsaDevice : public Device {
public:
    AlsaDevice(NoticeWindow* target, const WaveFormat& format, Pcm pcm, snd_pcm_uframes_t period, int wakeFd)
        : Device(target, format), pcm_(std::move(pcm)), period_(period), wakeFd_(wakeFd) {
        worker_ = std::thread([this] { run(); });
    }

    ~AlsaDevice() override {
        shutdown();
        close(wakeFd_);
    }

    void shutdown() override {
        if (!worker_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        wake();
        worker_.join();
    }

protected:
    void wake() override {
        const std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
    }

private:
    void drainWake() {
        std::uint64_t value = 0;
        [[maybe_unused]] ssize_t n = read(wakeFd_, &value, sizeof value);
    }

    void run() {
        snd_pcm_t* pcm = pcm_.get();
        const int pcmFds = std::max(0, snd_pcm_poll_descriptors_count(pcm));
        std::vector<pollfd> fds(1 + static_cast<std::size_t>(pcmFds));
        std::vector<std::uint8_t> buffer(period_ * frameBytes());
        bool running = false;
        bool broken = false;  // the device went away: capture nothing more
        for (;;) {
            bool want;
            {
                std::lock_guard lock(mutex_);
                if (quit_) break;
                want = started_ && !broken;
            }
            if (want && !running) {
                if (snd_pcm_state(pcm) != SND_PCM_STATE_PREPARED) snd_pcm_prepare(pcm);
                running = snd_pcm_start(pcm) == 0;
                if (!running) broken = true;
            } else if (!want && running) {
                snd_pcm_drop(pcm);
                running = false;
            }

            fds[0] = pollfd{wakeFd_, POLLIN, 0};
            int count = 1;
            if (running && pcmFds > 0)
                count += snd_pcm_poll_descriptors(pcm, fds.data() + 1, static_cast<unsigned>(pcmFds));
            const int ready = poll(fds.data(), static_cast<nfds_t>(count), running ? 200 : -1);
            if (ready > 0 && (fds[0].revents & POLLIN)) drainWake();
            if (!running) continue;
            unsigned short revents = 0;
            if (count > 1) snd_pcm_poll_descriptors_revents(pcm, fds.data() + 1, static_cast<unsigned>(count - 1), &revents);
            if (!readAvailable(pcm, buffer)) {
                broken = true;
                snd_pcm_drop(pcm);
                running = false;
            }
        }
        if (running) snd_pcm_drop(pcm);
    }

    // Reads whatever the PCM holds into the blocks; false when it failed for good.
    bool readAvailable(snd_pcm_t* pcm, std::vector<std::uint8_t>& buffer) {
        for (int attempts = 0; attempts < 64; ++attempts) {
            const snd_pcm_sframes_t got = snd_pcm_readi(pcm, buffer.data(), period_);
            if (got == -EAGAIN || got == 0) return true;
            if (got == -EPIPE || got == -ESTRPIPE || got == -EINTR) {
                // Overrun or suspend: what was missed is gone; carry on.
                if (snd_pcm_recover(pcm, static_cast<int>(got), 1) < 0) return false;
                snd_pcm_start(pcm);
                continue;
            }
            if (got < 0) return false;
            countFrames(static_cast<std::uint64_t>(got));
            std::lock_guard lock(mutex_);
            // Capture with no block queued is lost, as a microphone's would be.
            if (started_) deliverLocked(buffer.data(), static_cast<std::size_t>(got) * frameBytes());
        }
        return true;
    }

    Pcm pcm_;
    snd_pcm_uframes_t period_;
    int wakeFd_;
    bool quit_ = false;  // guarded by mutex_
    std::thread worker_;
};

}  // namespace

unsigned alsaDeviceCount() { return static_cast<unsigned>(capturePcms().size()); }

MMRESULT alsaOpen(Device** handle, int deviceId, const WaveFormat& format, NoticeWindow* target, bool query) {
    silenceAlsa();
    const auto& names = capturePcms();
    if (deviceId < -1 || deviceId >= static_cast<int>(names.size()))
        return names.empty() ? MMSYSERR_NODRIVER : MMSYSERR_BADDEVICEID;
    if (!isSupportedPcm(format)) return WAVERR_BADFORMAT;
    const std::string name = deviceId == WAVE_MAPPER ? "default" : names[static_cast<std::size_t>(deviceId)];

    snd_pcm_t* raw = nullptr;
    // Non-blocking: a busy device answers at once instead of waiting.
    const int err = snd_pcm_open(&raw, name.c_str(), SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK);
    if (err < 0) return openError(err);
    Pcm pcm(raw);

    snd_pcm_uframes_t period = 0;
    const MMRESULT configured = configure(pcm.get(), format, query ? nullptr : &period);
    if (configured != MMSYSERR_NOERROR || query) return configured;

    const int wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) return MMSYSERR_NOMEM;
    *handle = new AlsaDevice(target, format, std::move(pcm), period, wakeFd);
    return MMSYSERR_NOERROR;
}

}  // namespace platform::wavein::detail
