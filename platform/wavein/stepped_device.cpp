#include "platform/wavein/stepped_device.h"

#include "platform/wavein/backends.h"
#include "platform/wavein/device.h"

#include <algorithm>

namespace platform::wavein {
namespace {

// The handle of a stepped open: no worker, the test produces the bytes.
class SteppedHandle : public Device {
public:
    SteppedHandle(SteppedDevice* owner, NoticeWindow* target, const WaveFormat& format)
        : Device(target, format), owner_(owner) {}
    ~SteppedHandle() override { detail::SteppedAccess::closed(*owner_, this); }

    // Fills the front block from `bytes` (repeated to its length when
    // `whole`, else only bytes.size() of it) and finishes it.
    bool complete(const std::vector<std::uint8_t>& bytes, bool whole) {
        std::lock_guard lock(mutex_);
        if (!started_ || queue_.empty()) return false;
        WaveHeader* header = queue_.front();
        const std::size_t length = header->bufferLength;
        const std::size_t count = whole ? length : std::min(bytes.size(), length);
        std::vector<std::uint8_t> fill(count, 128);
        if (!bytes.empty())
            for (std::size_t i = 0; i < count; ++i) fill[i] = bytes[i % bytes.size()];
        frontFill_ = 0;
        deliverLocked(fill.data(), fill.size());
        if (!whole && !queue_.empty() && queue_.front() == header) finishFrontLocked();
        countFrames(count / std::max<std::size_t>(1, frameBytes()));
        return true;
    }

    bool started() const {
        std::lock_guard lock(mutex_);
        return started_;
    }
    int queued() const {
        std::lock_guard lock(mutex_);
        return static_cast<int>(queue_.size());
    }
    std::vector<const char*> queuedData() const {
        std::lock_guard lock(mutex_);
        std::vector<const char*> out;
        for (const WaveHeader* h : queue_) out.push_back(h->data);
        return out;
    }

private:
    SteppedDevice* owner_;
};

SteppedDevice* installed = nullptr;

}  // namespace

struct SteppedDevice::State {
    SteppedDevice* previous = nullptr;
    MMRESULT failCode = MMSYSERR_NOERROR;
    unsigned count = 1;
    SteppedHandle* open = nullptr;
    int openCount = 0;
    WaveFormat lastFormat;
};

SteppedDevice::SteppedDevice() : state_(std::make_unique<State>()) {
    state_->previous = installed;
    installed = this;
}

SteppedDevice::~SteppedDevice() {
    // A handle left open is freed here so that it cannot outlive its device;
    // later calls with it answer MMSYSERR_INVALHANDLE.
    if (state_->open) {
        unregisterHandle(state_->open);
        delete state_->open;  // clears state_->open
    }
    installed = state_->previous;
}

void SteppedDevice::failOpenWith(MMRESULT code) { state_->failCode = code; }
void SteppedDevice::setDeviceCount(unsigned count) { state_->count = count; }

bool SteppedDevice::completeBlock(const std::vector<std::uint8_t>& bytes) {
    return state_->open && state_->open->complete(bytes, true);
}

bool SteppedDevice::completePartialBlock(const std::vector<std::uint8_t>& bytes) {
    return state_->open && state_->open->complete(bytes, false);
}

bool SteppedDevice::isOpen() const { return state_->open != nullptr; }
bool SteppedDevice::isStarted() const { return state_->open && state_->open->started(); }
int SteppedDevice::queuedBlocks() const { return state_->open ? state_->open->queued() : 0; }
int SteppedDevice::openCount() const { return state_->openCount; }
const WaveFormat& SteppedDevice::lastFormat() const { return state_->lastFormat; }

std::vector<const char*> SteppedDevice::queuedData() const {
    return state_->open ? state_->open->queuedData() : std::vector<const char*>{};
}

namespace detail {

SteppedDevice* installedSteppedDevice() { return installed; }

unsigned SteppedAccess::count(const SteppedDevice& d) { return d.state_->count; }

MMRESULT SteppedAccess::open(SteppedDevice& d, Device** handle, int deviceId, const WaveFormat& format,
                             NoticeWindow* target, bool query) {
    auto& s = *d.state_;
    s.lastFormat = format;
    if (s.count == 0) return MMSYSERR_NODRIVER;
    if (deviceId < -1 || deviceId >= static_cast<int>(s.count)) return MMSYSERR_BADDEVICEID;
    if (s.failCode != MMSYSERR_NOERROR) return s.failCode;
    if (!isSupportedPcm(format)) return WAVERR_BADFORMAT;
    if (query) return MMSYSERR_NOERROR;
    if (s.open) return MMSYSERR_ALLOCATED;  // one capture at a time
    auto* opened = new SteppedHandle(&d, target, format);
    s.open = opened;
    ++s.openCount;
    *handle = opened;
    return MMSYSERR_NOERROR;
}

void SteppedAccess::closed(SteppedDevice& d, const Device* handle) {
    if (d.state_->open == handle) d.state_->open = nullptr;
}

}  // namespace detail
}  // namespace platform::wavein
