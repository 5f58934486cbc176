#pragma once
// What the wave-input tests share: the Qt application the reports need, a
// recording report target, formats, and blocks owned by the test.

#include "platform/core/notice_window.h"
#include "platform/wavein/wavein.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace platform::wavein::test {


struct Report {
    unsigned message;
    std::uintptr_t handle;
    WaveHeader* header;  // data reports only
};

// A report target that records what arrives, in order.
class Reports {
public:
    Reports()
        : window_([this](unsigned m, std::uintptr_t w, std::intptr_t l) {
              received.push_back({m, w, reinterpret_cast<WaveHeader*>(l)});
          }) {}

    platform::NoticeWindow* target() { return &window_; }

    // Delivers what is pending now.
    void pump() { QCoreApplication::sendPostedEvents(); }

    // Spins the event loop until `done` holds or `timeout` passes.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            pump();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::vector<WaveHeader*> dataHeaders() const {
        std::vector<WaveHeader*> out;
        for (const auto& r : received)
            if (r.message == MM_WIM_DATA) out.push_back(r.header);
        return out;
    }
    int count(unsigned message) const {
        int n = 0;
        for (const auto& r : received) n += r.message == message;
        return n;
    }

    std::vector<Report> received;

private:
    platform::NoticeWindow window_;
};

inline WaveFormat pcm(std::uint32_t rate, std::uint16_t channels, std::uint16_t bits) {
    WaveFormat f;
    f.formatTag = WAVE_FORMAT_PCM;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = bits;
    f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return f;
}

// `count` blocks of `bytes` each, in memory of their own.
class Blocks {
public:
    Blocks(int count, std::uint32_t bytes) : memory_(static_cast<std::size_t>(count) * bytes, 0xEE), headers(count) {
        for (int k = 0; k < count; ++k) {
            headers[k].data = memory_.data() + static_cast<std::size_t>(k) * bytes;
            headers[k].bufferLength = bytes;
        }
    }
    // Prepares and queues every block; all must succeed.
    void queueAll(HWAVEIN h) {
        for (auto& header : headers) {
            ASSERT_EQ(waveInPrepareHeader(h, &header), MMSYSERR_NOERROR);
            ASSERT_EQ(waveInAddBuffer(h, &header), MMSYSERR_NOERROR);
        }
    }
    std::vector<std::uint8_t> bytesOf(const WaveHeader& h) const {
        return {reinterpret_cast<const std::uint8_t*>(h.data),
                reinterpret_cast<const std::uint8_t*>(h.data) + h.bytesRecorded};
    }

private:
    std::vector<char> memory_;

public:
    std::vector<WaveHeader> headers;
};

// The one application object of a test process.
inline QCoreApplication& app() {
    static int argc = 1;
    static char name[] = "test_platform_wavein";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance = new QCoreApplication(argc, argv);
    return *instance;
}

}  // namespace platform::wavein::test
