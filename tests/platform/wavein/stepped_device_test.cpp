// The interface's bookkeeping (flags, queue order, reports, result codes),
// seen through the stepped device that has no thread of its own.

#include "platform/wavein/stepped_device.h"

#include "tests/platform/wavein/wavein_fixture.h"

#include <cstring>
#include <string>

namespace platform::wavein::test {
namespace {

class Stepped : public ::testing::Test {
protected:
    void SetUp() override { app(); }

    HWAVEIN open(const WaveFormat& f = pcm(11025, 1, 8)) {
        HWAVEIN h = nullptr;
        EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &f, reports.target(), CALLBACK_WINDOW), MMSYSERR_NOERROR);
        return h;
    }

    SteppedDevice device;
    Reports reports;
};

TEST_F(Stepped, BlocksFillInQueueOrderWithFlagsAndReports) {
    HWAVEIN h = open();
    Blocks blocks(3, 4);
    blocks.queueAll(h);
    for (auto& b : blocks.headers) EXPECT_EQ(b.flags, WHDR_PREPARED | WHDR_INQUEUE);
    EXPECT_EQ(device.queuedData(), (std::vector<const char*>{blocks.headers[0].data, blocks.headers[1].data,
                                                             blocks.headers[2].data}));

    EXPECT_FALSE(device.completeBlock({1})) << "not started";
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    EXPECT_TRUE(device.completeBlock({1, 2, 3}));       // repeated to the length
    EXPECT_TRUE(device.completeBlock({9, 8, 7, 6, 5}));  // cut to the length
    EXPECT_TRUE(device.completePartialBlock({4}));

    EXPECT_EQ(blocks.bytesOf(blocks.headers[0]), (std::vector<std::uint8_t>{1, 2, 3, 1}));
    EXPECT_EQ(blocks.bytesOf(blocks.headers[1]), (std::vector<std::uint8_t>{9, 8, 7, 6}));
    EXPECT_EQ(blocks.headers[2].bytesRecorded, 1u);
    for (auto& b : blocks.headers) EXPECT_EQ(b.flags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_FALSE(device.completeBlock({})) << "no block queued";

    EXPECT_TRUE(reports.received.empty()) << "reports wait for the event loop";
    reports.pump();
    ASSERT_EQ(reports.received.size(), 4u);
    EXPECT_EQ(reports.received[0].message, MM_WIM_OPEN);
    EXPECT_EQ(reports.dataHeaders(),
              (std::vector<WaveHeader*>{&blocks.headers[0], &blocks.headers[1], &blocks.headers[2]}));
    for (const auto& r : reports.received) EXPECT_EQ(r.handle, reinterpret_cast<std::uintptr_t>(h));

    std::uint32_t frames = 0;
    EXPECT_EQ(waveInGetPosition(h, &frames), MMSYSERR_NOERROR);
    EXPECT_EQ(frames, 9u);

    // Re-queueing clears DONE and what was recorded.
    EXPECT_EQ(waveInUnprepareHeader(h, &blocks.headers[0]), MMSYSERR_NOERROR);
    EXPECT_EQ(blocks.headers[0].flags, WHDR_DONE);
    EXPECT_EQ(waveInAddBuffer(h, &blocks.headers[0]), WAVERR_UNPREPARED);
    EXPECT_EQ(waveInPrepareHeader(h, &blocks.headers[0]), MMSYSERR_NOERROR);
    EXPECT_EQ(blocks.headers[0].flags, WHDR_PREPARED);
    EXPECT_EQ(waveInAddBuffer(h, &blocks.headers[0]), MMSYSERR_NOERROR);
    EXPECT_EQ(blocks.headers[0].bytesRecorded, 0u);
    EXPECT_EQ(waveInAddBuffer(h, &blocks.headers[0]), WAVERR_STILLPLAYING) << "queued twice";
    EXPECT_EQ(waveInUnprepareHeader(h, &blocks.headers[0]), WAVERR_STILLPLAYING);
    EXPECT_TRUE(device.completeBlock({}));
    EXPECT_EQ(blocks.bytesOf(blocks.headers[0]), (std::vector<std::uint8_t>(4, 128))) << "silence";

    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
}

TEST_F(Stepped, ResetReturnsEveryQueuedBlockAndCloseNeedsIt) {
    HWAVEIN h = open();
    Blocks blocks(3, 4);
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    ASSERT_TRUE(device.completeBlock({5}));

    EXPECT_EQ(waveInClose(h), WAVERR_STILLPLAYING);
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(waveInReset(h), MMSYSERR_NOERROR);
    EXPECT_FALSE(device.isStarted());
    EXPECT_EQ(device.queuedBlocks(), 0);
    for (auto& b : blocks.headers) EXPECT_EQ(b.flags, WHDR_PREPARED | WHDR_DONE);
    EXPECT_EQ(blocks.headers[1].bytesRecorded, 0u);

    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    EXPECT_FALSE(device.isOpen());
    reports.pump();
    std::vector<unsigned> messages;
    for (const auto& r : reports.received) messages.push_back(r.message);
    EXPECT_EQ(messages, (std::vector<unsigned>{MM_WIM_OPEN, MM_WIM_DATA, MM_WIM_DATA, MM_WIM_DATA, MM_WIM_CLOSE}));
    EXPECT_EQ(reports.dataHeaders(),
              (std::vector<WaveHeader*>{&blocks.headers[0], &blocks.headers[1], &blocks.headers[2]}));

    // The closed handle is refused everywhere instead of being used.
    std::uint32_t frames = 0;
    EXPECT_EQ(waveInStart(h), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInReset(h), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInAddBuffer(h, &blocks.headers[0]), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInGetPosition(h, &frames), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInClose(h), MMSYSERR_INVALHANDLE);
}

TEST_F(Stepped, StopHandsBackTheBlockBegunAndStartResumes) {
    HWAVEIN h = open();
    Blocks blocks(2, 4);
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    ASSERT_EQ(waveInStop(h), MMSYSERR_NOERROR);
    EXPECT_EQ(device.queuedBlocks(), 2) << "empty blocks stay queued";
    EXPECT_FALSE(device.completeBlock({1}));
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    EXPECT_TRUE(device.completeBlock({1}));
    EXPECT_EQ(waveInReset(h), MMSYSERR_NOERROR);
    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    EXPECT_EQ(device.openCount(), 1);
}

TEST_F(Stepped, OpenFailuresAndQueries) {
    WaveFormat good = pcm(11025, 1, 8);
    HWAVEIN h = nullptr;
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    EXPECT_EQ(device.openCount(), 0) << "a query opens nothing";
    EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &good, nullptr, CALLBACK_WINDOW), MMSYSERR_INVALPARAM) << "no target";

    WaveFormat stereo16 = pcm(44100, 2, 16);
    EXPECT_EQ(waveInOpen(nullptr, 0, &stereo16, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    EXPECT_EQ(device.lastFormat().samplesPerSec, 44100u);

    struct Case {
        const char* what;
        WaveFormat format;
    };
    WaveFormat float32 = pcm(11025, 1, 32), six = pcm(11025, 6, 16), misaligned = pcm(11025, 2, 8),
               notPcm = pcm(11025, 1, 8), noRate = pcm(0, 1, 8);
    misaligned.blockAlign = 1;
    notPcm.formatTag = 3;
    for (const Case& c : {Case{"32 bits", float32}, Case{"6 channels", six}, Case{"block align", misaligned},
                          Case{"not PCM", notPcm}, Case{"rate 0", noRate}})
        EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &c.format, nullptr, WAVE_FORMAT_QUERY), WAVERR_BADFORMAT)
            << c.what;

    EXPECT_EQ(waveInOpen(nullptr, 1, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveInOpen(nullptr, -2, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    device.setDeviceCount(3);
    EXPECT_EQ(waveInGetNumDevs(), 3u);
    EXPECT_EQ(waveInOpen(nullptr, 2, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    device.setDeviceCount(0);
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NODRIVER);
    device.setDeviceCount(1);

    device.failOpenWith(MMSYSERR_ALLOCATED);
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &good, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_ALLOCATED);
    EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &good, reports.target(), CALLBACK_WINDOW), MMSYSERR_ALLOCATED);
    EXPECT_FALSE(device.isOpen());
    device.failOpenWith(MMSYSERR_NOERROR);

    h = open();
    HWAVEIN second = nullptr;
    EXPECT_EQ(waveInOpen(&second, WAVE_MAPPER, &good, reports.target(), CALLBACK_WINDOW), MMSYSERR_ALLOCATED);
    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    reports.pump();
    EXPECT_EQ(reports.count(MM_WIM_OPEN), 1) << "failed opens post nothing";
}

TEST_F(Stepped, HandleLeftOpenDiesWithTheDevice) {
    HWAVEIN h = nullptr;
    {
        SteppedDevice inner;  // hides `device` while it lives
        h = open();
        EXPECT_TRUE(inner.isOpen());
        EXPECT_FALSE(device.isOpen());
    }
    EXPECT_EQ(waveInStart(h), MMSYSERR_INVALHANDLE);
    EXPECT_EQ(waveInGetNumDevs(), 1u);
}

TEST(WaveErrorText, KnownCodesHaveTextsUnknownOnesAnswerBadErrNum) {
    char buffer[260];
    for (MMRESULT code : {MMSYSERR_NOERROR, MMSYSERR_ERROR, MMSYSERR_BADDEVICEID, MMSYSERR_ALLOCATED,
                          MMSYSERR_INVALHANDLE, MMSYSERR_NODRIVER, MMSYSERR_NOMEM, MMSYSERR_INVALFLAG,
                          MMSYSERR_INVALPARAM, WAVERR_BADFORMAT, WAVERR_STILLPLAYING, WAVERR_UNPREPARED}) {
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(waveOutGetErrorText(code, buffer, sizeof buffer), MMSYSERR_NOERROR) << code;
        EXPECT_GT(std::strlen(buffer), 5u) << code;
    }
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(waveOutGetErrorText(3, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
    EXPECT_EQ(waveOutGetErrorText(999, buffer, sizeof buffer), MMSYSERR_BADERRNUM);
    EXPECT_STREQ(buffer, "");

    char tiny[8];
    EXPECT_EQ(waveOutGetErrorText(WAVERR_BADFORMAT, tiny, sizeof tiny), MMSYSERR_NOERROR);
    EXPECT_EQ(std::strlen(tiny), 7u) << "cut to the buffer, NUL-terminated";
}

}  // namespace
}  // namespace platform::wavein::test
