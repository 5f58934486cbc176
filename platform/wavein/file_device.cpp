// The file-backed default device: a sound file played as if it were a
// microphone, by a worker thread, in chunks of about 10 ms. Paced, the chunks
// complete at the wall-clock rate of the requested format and, like a
// microphone's, are lost when no block is queued; unpaced, the worker waits
// for blocks instead, so every frame of the file reaches the caller.

#include "platform/wavein/backends.h"
#include "platform/wavein/device.h"
#include "platform/wavein/file_source.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace platform::wavein {
namespace {

std::mutex optionsMutex;
std::optional<bool> pacingOverride;   // guarded by optionsMutex
std::optional<bool> loopingOverride;  // guarded by optionsMutex

bool environmentFlag(const char* name, bool fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    return !(std::strcmp(v, "0") == 0 || std::strcmp(v, "no") == 0 || std::strcmp(v, "false") == 0 ||
             std::strcmp(v, "off") == 0);
}

using Clock = std::chrono::steady_clock;

class FileDevice : public Device {
public:
    FileDevice(NoticeWindow* target, const WaveFormat& format, std::unique_ptr<FileSource> source, bool paced)
        : Device(target, format), source_(std::move(source)), paced_(paced) {
        chunkFrames_ = std::max<std::size_t>(1, format.samplesPerSec / 100);
        worker_ = std::thread([this] { run(); });
    }

    ~FileDevice() override { shutdown(); }

    void shutdown() override {
        if (!worker_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        worker_.join();
    }

    bool sourceEnded() const override {
        std::lock_guard lock(mutex_);
        return ended_ && pending_.empty();
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        std::uint64_t seenStart = 0;
        Clock::time_point origin;
        std::uint64_t framesSinceStart = 0;  // produced since the last start (pace)
        while (!quit_) {
            if (!started_) {
                changed_.wait(lock);
                continue;
            }
            if (seenStart != startCount_) {
                seenStart = startCount_;
                origin = Clock::now();
                framesSinceStart = 0;
            }
            if (pending_.empty()) {
                if (ended_) {
                    changed_.wait(lock);
                    continue;
                }
                // Decoding needs no lock: only this thread touches the source.
                lock.unlock();
                std::vector<std::uint8_t> chunk;
                const std::size_t frames = source_->read(chunkFrames_, chunk);
                lock.lock();
                if (frames == 0) {
                    ended_ = true;
                } else {
                    pending_ = std::move(chunk);
                    pendingFrames_ = frames;
                }
                continue;  // stop or quit may have come while the lock was free
            }
            if (paced_) {
                const auto due = origin + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                                              static_cast<double>(framesSinceStart + pendingFrames_) /
                                              format().samplesPerSec));
                if (Clock::now() < due) {
                    changed_.wait_until(lock, due);
                    continue;  // state may have changed meanwhile
                }
                deliverLocked(pending_.data(), pending_.size());
                countFrames(pendingFrames_);
                framesSinceStart += pendingFrames_;
                pending_.clear();  // what found no block is lost
                continue;
            }
            const std::size_t used = deliverLocked(pending_.data(), pending_.size());
            if (used > 0) countFrames(used / frameBytes());
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(used));
            pendingFrames_ = pending_.size() / frameBytes();
            if (!pending_.empty()) changed_.wait(lock);  // for a block to be queued
        }
    }

    std::unique_ptr<FileSource> source_;  // the worker's alone
    bool paced_;
    std::size_t chunkFrames_ = 1;
    // Guarded by mutex_:
    bool quit_ = false;
    bool ended_ = false;
    std::vector<std::uint8_t> pending_;  // produced, not yet in a block
    std::size_t pendingFrames_ = 0;
    std::thread worker_;
};

}  // namespace

void setFilePacing(bool paced) {
    std::lock_guard lock(optionsMutex);
    pacingOverride = paced;
}

void setFileLooping(bool looping) {
    std::lock_guard lock(optionsMutex);
    loopingOverride = looping;
}

namespace detail {

std::optional<FileOptions> fileOptions() {
    const char* path = std::getenv("QUINDRAL_WAVEIN");
    if (!path || !*path) return std::nullopt;
    FileOptions o;
    o.path = path;
    std::lock_guard lock(optionsMutex);
    o.paced = pacingOverride.value_or(environmentFlag("QUINDRAL_WAVEIN_PACE", true));
    o.looping = loopingOverride.value_or(environmentFlag("QUINDRAL_WAVEIN_LOOP", true));
    return o;
}

MMRESULT fileOpen(Device** handle, const FileOptions& options, const WaveFormat& format, NoticeWindow* target,
                  bool query) {
    bool badFormat = false;
    auto source = FileSource::open(options.path, format, options.looping, &badFormat);
    if (!source) return badFormat ? WAVERR_BADFORMAT : MMSYSERR_BADDEVICEID;
    if (query) return MMSYSERR_NOERROR;
    *handle = new FileDevice(target, format, std::move(source), options.paced);
    return MMSYSERR_NOERROR;
}

}  // namespace detail
}  // namespace platform::wavein
