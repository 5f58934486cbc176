#pragma once
// What every open wave-input device shares: the queue of caller blocks, their
// flags, started/stopped, the position, and the reports to the target.
// A backend produces bytes and hands them to deliver(); the blocks are
// written only while `mutex_` is held, so a worker thread and the main
// thread's stop/reset never touch the same block at once.

#include "platform/wavein/wavein.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace platform::wavein {

struct Device {
public:
    Device(NoticeWindow* target, const WaveFormat& format);
    virtual ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Main-thread calls behind the interface functions.
    MMRESULT addBuffer(WaveHeader* header);
    MMRESULT start();
    MMRESULT stop();
    MMRESULT reset();
    bool hasQueuedBlocks() const;
    std::uint32_t position() const { return static_cast<std::uint32_t>(frames_.load()); }

    // Ends the backend's worker; called once before the device is freed.
    virtual void shutdown() {}
    // True when a source that plays once has delivered its last frame.
    virtual bool sourceEnded() const { return false; }

    void postOpen();
    void postClose();

    const WaveFormat& format() const { return format_; }
    std::size_t frameBytes() const { return frameBytes_; }

protected:
    // Wakes the backend after a change of state or queue (mutex_ not held).
    virtual void wake() {}

    // With mutex_ held: writes `bytes` into the queued blocks in order,
    // finishing (flags, report) every block it fills. Answers how many bytes
    // went into blocks; the rest found no block.
    std::size_t deliverLocked(const std::uint8_t* bytes, std::size_t count);
    // With mutex_ held: hands back the oldest block with what it holds.
    void finishFrontLocked();
    void countFrames(std::uint64_t frames) { frames_ += frames; }

    mutable std::mutex mutex_;
    std::condition_variable changed_;  // queue or state changed (for backends that wait on it)
    std::deque<WaveHeader*> queue_;
    std::uint32_t frontFill_ = 0;      // bytes already in queue_.front()
    bool started_ = false;
    std::uint64_t startCount_ = 0;     // incremented by every start()

private:
    void notifyChange();

    NoticeWindow* target_;
    WaveFormat format_;
    std::size_t frameBytes_;
    std::atomic<std::uint64_t> frames_{0};
};

// Format checks shared by the backends: PCM, 8 or 16 bits, 1 or 2 channels,
// a rate in 1..384000 and a block alignment matching channels and bits.
bool isSupportedPcm(const WaveFormat& format);

// Live handles, so that a stale or foreign handle answers MMSYSERR_INVALHANDLE.
void registerHandle(Device* device);
void unregisterHandle(Device* device);
bool isLiveHandle(const Device* device);

}  // namespace platform::wavein
