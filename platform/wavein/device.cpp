#include "platform/wavein/device.h"

#include "platform/core/notice_window.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace platform::wavein {

Device::Device(NoticeWindow* target, const WaveFormat& format)
    : target_(target),
      format_(format),
      frameBytes_(static_cast<std::size_t>(format.channels) * format.bitsPerSample / 8) {}

Device::~Device() = default;

void Device::postOpen() {
    if (target_) target_->post(MM_WIM_OPEN, reinterpret_cast<std::uintptr_t>(this), 0);
}

void Device::postClose() {
    if (target_) target_->post(MM_WIM_CLOSE, reinterpret_cast<std::uintptr_t>(this), 0);
}

void Device::notifyChange() {
    changed_.notify_all();
    wake();
}

MMRESULT Device::addBuffer(WaveHeader* header) {
    if (!header || !header->data || header->bufferLength == 0) return MMSYSERR_INVALPARAM;
    {
        std::lock_guard lock(mutex_);
        if (!(header->flags & WHDR_PREPARED)) return WAVERR_UNPREPARED;
        if (header->flags & WHDR_INQUEUE) return WAVERR_STILLPLAYING;
        header->flags = (header->flags & ~WHDR_DONE) | WHDR_INQUEUE;
        header->bytesRecorded = 0;
        queue_.push_back(header);
    }
    notifyChange();
    return MMSYSERR_NOERROR;
}

MMRESULT Device::start() {
    {
        std::lock_guard lock(mutex_);
        if (!started_) ++startCount_;
        started_ = true;
    }
    notifyChange();
    return MMSYSERR_NOERROR;
}

MMRESULT Device::stop() {
    {
        std::lock_guard lock(mutex_);
        started_ = false;
        // A block the device had begun comes back with what it holds; the
        // empty ones stay queued for the next start.
        if (!queue_.empty() && frontFill_ > 0) finishFrontLocked();
    }
    notifyChange();
    return MMSYSERR_NOERROR;
}

MMRESULT Device::reset() {
    {
        std::lock_guard lock(mutex_);
        started_ = false;
        while (!queue_.empty()) finishFrontLocked();
    }
    notifyChange();
    return MMSYSERR_NOERROR;
}

bool Device::hasQueuedBlocks() const {
    std::lock_guard lock(mutex_);
    return !queue_.empty();
}

void Device::finishFrontLocked() {
    WaveHeader* header = queue_.front();
    queue_.pop_front();
    header->bytesRecorded = frontFill_;
    header->flags = (header->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    frontFill_ = 0;
    // Past this post the header is the caller's again: not touched any more.
    if (target_)
        target_->post(MM_WIM_DATA, reinterpret_cast<std::uintptr_t>(this), reinterpret_cast<std::intptr_t>(header));
}

std::size_t Device::deliverLocked(const std::uint8_t* bytes, std::size_t count) {
    std::size_t used = 0;
    while (used < count && !queue_.empty()) {
        WaveHeader* header = queue_.front();
        const std::size_t room = header->bufferLength - frontFill_;
        const std::size_t n = std::min(room, count - used);
        std::memcpy(header->data + frontFill_, bytes + used, n);
        frontFill_ += static_cast<std::uint32_t>(n);
        used += n;
        if (frontFill_ == header->bufferLength) finishFrontLocked();
    }
    return used;
}

bool isSupportedPcm(const WaveFormat& f) {
    if (f.formatTag != WAVE_FORMAT_PCM) return false;
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return false;
    if (f.channels != 1 && f.channels != 2) return false;
    if (f.samplesPerSec == 0 || f.samplesPerSec > 384000) return false;
    return f.blockAlign == f.channels * f.bitsPerSample / 8;
}

namespace {
std::mutex handlesMutex;
std::set<const Device*>& handles() {
    static std::set<const Device*> live;
    return live;
}
}  // namespace

void registerHandle(Device* device) {
    std::lock_guard lock(handlesMutex);
    handles().insert(device);
}

void unregisterHandle(Device* device) {
    std::lock_guard lock(handlesMutex);
    handles().erase(device);
}

bool isLiveHandle(const Device* device) {
    if (!device) return false;
    std::lock_guard lock(handlesMutex);
    return handles().count(device) > 0;
}

}  // namespace platform::wavein
