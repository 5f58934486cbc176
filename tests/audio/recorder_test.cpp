#include "audio/audio_message_box.h"
#include "audio/recorder.h"
#include "audio/wave_error_text.h"
#include "audio_test_support.h"
#include "platform/core/exceptions.h"
#include "platform/wavein/stepped_device.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

namespace wi = platform::wavein;
using audiotest::Call;
using audiotest::Probe;
using audiotest::pump;
using audiotest::whoGot;

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        audiotest::app();
        recorder = std::make_unique<TRecorder>();
        recorder->SetAutoStart(false);
        pump();  // the auto-start request
    }
    void TearDown() override { recorder.reset(); }

    // Completes the oldest queued block with `bytes` and delivers its report.
    void deliver(const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(device.completeBlock(bytes));
        pump();
    }

    wi::SteppedDevice device;
    std::unique_ptr<TRecorder> recorder;
};

TEST_F(RecorderTest, RingTakesBlocksInOrderAndKeepsSevenQueued) {
    recorder->SetBufSize(4);
    recorder->Start();
    ASSERT_TRUE(device.isStarted());
    ASSERT_EQ(device.queuedBlocks(), 7);
    const std::vector<const char*> queued = device.queuedData();
    const char* base = queued.front();
    for (int k = 0; k < 7; ++k) EXPECT_EQ(queued[std::size_t(k)], base + 4 * k) << "block " << k;

    // Report r takes block (r-1) mod 8 and hands back the block before it;
    // the first report queues block 7 for the first time.
    for (int r = 1; r <= 17; ++r) {
        deliver({std::uint8_t(r)});
        const int taken = (r - 1) % 8;
        const int requeued = (taken + 7) % 8;
        ASSERT_EQ(reinterpret_cast<const char*>(recorder->BlockData()), base + 4 * taken) << "report " << r;
        EXPECT_EQ(recorder->BlockData()[0], r);
        EXPECT_EQ(recorder->BlockFrames(), 4);
        EXPECT_EQ(device.queuedBlocks(), 7);
        EXPECT_EQ(device.queuedData().back(), base + 4 * requeued) << "report " << r;
    }
}

TEST_F(RecorderTest, BlockMemoryFollowsFormatAndBufSize) {
    struct Case {
        int channels, bits, bufSize, blockBytes;
    } cases[] = {{1, 8, 256, 256}, {1, 8, 4069, 4069}, {2, 16, 100, 400}, {1, 16, 7, 14}};
    for (const Case& c : cases) {
        recorder->Quality().SetChannels(c.channels);
        recorder->Quality().SetBitsPerSample(c.bits);
        recorder->SetBufSize(c.bufSize);
        recorder->Start();
        const auto queued = device.queuedData();
        ASSERT_EQ(queued.size(), 7u);
        EXPECT_EQ(queued[1] - queued[0], c.blockBytes) << c.bufSize;
        EXPECT_EQ(device.lastFormat().blockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(device.lastFormat().avgBytesPerSec, std::uint32_t(11025 * c.channels * c.bits / 8));
        EXPECT_EQ(device.lastFormat().formatTag, wi::WAVE_FORMAT_PCM);
        recorder->Stop();
        EXPECT_FALSE(device.isOpen());
    }
}

TEST_F(RecorderTest, FailedOpeningRaisesAndLeavesTheGuardSet) {
    device.failOpenWith(wi::MMSYSERR_BADDEVICEID);
    try {
        recorder->Start();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, int(wi::MMSYSERR_BADDEVICEID));
        EXPECT_EQ(e.message(), "waveInOpenQuery: " + WaveErrorText(wi::MMSYSERR_BADDEVICEID));
        EXPECT_STREQ(e.className(), "EInOutError");
    }
    // The guard holds: the device would open now, but Start neither raises
    // nor captures until Stop clears it.
    device.failOpenWith(0);
    EXPECT_NO_THROW(recorder->Start());
    EXPECT_NO_THROW(recorder->Open());
    EXPECT_EQ(recorder->Handle(), nullptr);
    EXPECT_EQ(device.openCount(), 0);
    EXPECT_FALSE(device.isStarted());

    recorder->Stop();
    recorder->Start();
    EXPECT_TRUE(device.isStarted());
    EXPECT_EQ(device.openCount(), 1);
}

TEST_F(RecorderTest, ResetAndCloseClearTheGuard) {
    for (bool useReset : {true, false}) {
        device.failOpenWith(wi::WAVERR_BADFORMAT);
        EXPECT_THROW(recorder->Start(), EInOutError);
        device.failOpenWith(0);
        if (useReset)
            recorder->Reset();
        else
            recorder->SetBufSize(256);
        recorder->Start();
        EXPECT_TRUE(device.isStarted()) << useReset;
        recorder->Stop();
    }
}

TEST_F(RecorderTest, BufSizeWhileCapturingClosesAndNextStartUsesNewLength) {
    recorder->Start();
    deliver({});
    EXPECT_EQ(recorder->BlockFrames(), 256);

    recorder->SetBufSize(100);
    EXPECT_FALSE(device.isOpen());
    EXPECT_EQ(recorder->BlockData(), nullptr);  // its memory is gone
    pump();                                     // the closing device's reports do nothing
    EXPECT_FALSE(device.isOpen());

    recorder->Start();
    EXPECT_EQ(device.openCount(), 2);
    deliver({});
    EXPECT_EQ(recorder->BlockFrames(), 100);
}

TEST_F(RecorderTest, QualityChangesWaitForTheNextOpening) {
    recorder->Start();
    recorder->Quality().SetChannels(2);
    recorder->Quality().SetBitsPerSample(16);
    deliver({0, 0});
    EXPECT_EQ(device.lastFormat().channels, 1);
    EXPECT_EQ(recorder->BlockFrames(), 256);  // read as the 8-bit mono it was recorded in
    EXPECT_EQ(recorder->SampleValue(0), -8192);
    recorder->Stop();
    recorder->Start();
    EXPECT_EQ(device.lastFormat().channels, 2);
    EXPECT_EQ(device.lastFormat().bitsPerSample, 16);
}

TEST_F(RecorderTest, SampleValueMixesChannels) {
    struct Case {
        int channels, bits;
        std::vector<std::uint8_t> frame0;
        int expected;
    } cases[] = {
        {1, 8, {0}, -8192},
        {1, 8, {255}, 8128},
        {1, 8, {128}, 0},
        {2, 8, {255, 255}, 32512},
        {2, 8, {0, 0}, -32768},
        {1, 16, {0x00, 0x80}, -32768},
        {1, 16, {0xFF, 0x7F}, 32767},
        {2, 16, {0xFD, 0xFF, 0x00, 0x00}, -1},   // (-3 + 0) / 2 toward zero
        {2, 16, {0x03, 0x00, 0x00, 0x00}, 1},
    };
    for (const Case& c : cases) {
        recorder->Quality().SetChannels(c.channels);
        recorder->Quality().SetBitsPerSample(c.bits);
        recorder->SetBufSize(4);
        recorder->Start();
        deliver(c.frame0);
        EXPECT_EQ(recorder->SampleValue(0), c.expected) << c.channels << "ch " << c.bits << "bit";
        EXPECT_EQ(recorder->SampleValue(-1), 0);
        EXPECT_EQ(recorder->SampleValue(recorder->BlockFrames()), 0);
        recorder->Stop();
    }
}

TEST_F(RecorderTest, PartialBlockCountsRecordedFrames) {
    recorder->Quality().SetChannels(2);
    recorder->Quality().SetBitsPerSample(16);
    recorder->SetBufSize(500);
    recorder->Start();
    ASSERT_TRUE(device.completePartialBlock(std::vector<std::uint8_t>(1000, 0)));
    pump();
    EXPECT_EQ(recorder->BlockFrames(), 250);
}

TEST_F(RecorderTest, ReportsReachListenersInSlotOrderThenOnSample) {
    std::vector<Call> log;
    Probe a("a", log), b("b", log);
    recorder->AddListener(a.listener());  // slot 5
    recorder->AddListener(b.listener());  // slot 4
    recorder->OnSample = [&](TRecorder* sender) { log.push_back({"onSample", sender, aeData}); };
    recorder->Start();
    pump();
    EXPECT_EQ(whoGot(log, aeOpen), (std::vector<std::string>{"b", "a"}));
    log.clear();
    deliver({});
    EXPECT_EQ(log, (std::vector<Call>{{"b", recorder.get(), aeData},
                                      {"a", recorder.get(), aeData},
                                      {"onSample", recorder.get(), aeData}}));
}

TEST_F(RecorderTest, ListenerSlots) {
    std::vector<Call> log;
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < 7; ++i) probes.push_back(std::make_unique<Probe>(std::to_string(i), log));
    for (auto& p : probes) recorder->AddListener(p->listener());
    recorder->Start();
    deliver({});
    // Filled from slot 5 down: the sixth sits in slot 0 and is told first;
    // the seventh found no slot.
    EXPECT_EQ(whoGot(log, aeData), (std::vector<std::string>{"5", "4", "3", "2", "1", "0"}));

    // Same object, other method: a different listener, not removed with the first.
    for (auto& p : probes) recorder->RemoveListener(p->listener());
    recorder->AddListener(probes[0]->listener());
    recorder->AddListener(probes[0]->listener());
    recorder->AddListener(makeAudioListener(probes[0].get(), &Probe::other));
    recorder->RemoveListener(probes[0]->listener());
    log.clear();
    deliver({});
    EXPECT_EQ(whoGot(log, aeData), (std::vector<std::string>{"0/other"}));

    // A destroyed listener's object leaves its slot.
    recorder->AddListener(probes[1]->listener());
    probes[1].reset();
    log.clear();
    deliver({});
    EXPECT_EQ(whoGot(log, aeData), (std::vector<std::string>{"0/other"}));
}

TEST_F(RecorderTest, ReportsOfAClosedDeviceDoNothing) {
    std::vector<Call> log;
    Probe a("a", log);
    recorder->AddListener(a.listener());
    int samples = 0;
    recorder->OnSample = [&](TRecorder*) { ++samples; };
    recorder->Start();
    pump();
    ASSERT_TRUE(device.completeBlock({}));
    ASSERT_TRUE(device.completeBlock({}));
    recorder->Stop();  // two data reports, the reset's and the close's are pending
    log.clear();
    pump();
    EXPECT_TRUE(whoGot(log, aeData).empty());
    EXPECT_TRUE(whoGot(log, aeClose).empty());
    EXPECT_EQ(samples, 0);
}

TEST_F(RecorderTest, ResetHandsBackQueuedBlocksAndStaysOpen) {
    int samples = 0;
    recorder->OnSample = [&](TRecorder*) { ++samples; };
    recorder->Start();
    recorder->Reset();
    pump();
    EXPECT_TRUE(device.isOpen());
    EXPECT_EQ(samples, 7);  // every queued block came back with its report
    EXPECT_NE(recorder->Handle(), nullptr);
}

TEST_F(RecorderTest, CloseDropsPendingReportsAndStartOpensAgain) {
    int samples = 0;
    recorder->OnSample = [&](TRecorder*) { ++samples; };
    recorder->Start();
    ASSERT_TRUE(device.completeBlock({}));
    recorder->Close();
    pump();
    EXPECT_EQ(samples, 0);
    EXPECT_FALSE(device.isOpen());
    recorder->Start();
    deliver({});
    EXPECT_EQ(samples, 1);
}

TEST_F(RecorderTest, StartingAgainWhileCapturingKeepsTheRing) {
    recorder->SetBufSize(4);
    recorder->Start();
    deliver({1});
    deliver({2});
    const std::uint8_t* second = recorder->BlockData();
    recorder->Start();
    deliver({3});
    EXPECT_EQ(recorder->BlockData(), second + 4);
    EXPECT_EQ(recorder->BlockData()[0], 3);
}

TEST_F(RecorderTest, SamplePosAndHandleOpenTheDevice) {
    EXPECT_EQ(recorder->SamplePos(), 0u);
    EXPECT_TRUE(device.isOpen());
    EXPECT_FALSE(device.isStarted());
    EXPECT_EQ(device.queuedBlocks(), 7);
    recorder->Stop();
    EXPECT_NE(recorder->Handle(), nullptr);
    EXPECT_TRUE(device.isOpen());
}

TEST_F(RecorderTest, FormatQueries) {
    device.setDeviceCount(3);
    EXPECT_EQ(TRecorder::DeviceCount(), 3);
    EXPECT_TRUE(recorder->FormatSupported(44100, 2, 16));
    EXPECT_EQ(device.lastFormat().samplesPerSec, 44100u);
    EXPECT_EQ(device.lastFormat().avgBytesPerSec, 176400u);
    EXPECT_EQ(device.lastFormat().blockAlign, 4);
    EXPECT_TRUE(recorder->QualitySupported());
    EXPECT_EQ(device.lastFormat().samplesPerSec, 11025u);
    device.failOpenWith(wi::WAVERR_BADFORMAT);
    EXPECT_FALSE(recorder->QualitySupported());
    EXPECT_FALSE(device.isOpen());
}

TEST_F(RecorderTest, EmptyBlockIsRefusedAsBadParameter) {
    recorder->SetBufSize(0);
    try {
        recorder->Start();
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, int(wi::MMSYSERR_INVALPARAM));
        EXPECT_EQ(e.message().rfind("waveInOpen: ", 0), 0u) << e.message();
    }
    EXPECT_FALSE(device.isOpen());
}

TEST_F(RecorderTest, DestructionWhileCapturingClosesTheDevice) {
    recorder->Start();
    deliver({});
    recorder.reset();
    EXPECT_FALSE(device.isOpen());
    pump();  // pending reports died with the recorder
}

// Captures the auto-start message box.
std::vector<std::pair<std::string, std::string>> shown;
void recordBox(const std::string& text, const std::string& caption) { shown.emplace_back(text, caption); }

TEST(RecorderAutoStart, StartsOnceTheLoopRunsAndReportsFailures) {
    audiotest::app();
    wi::SteppedDevice device;
    const AudioMessageBox previous = SetAudioMessageBox(recordBox);

    {
        TRecorder starts;
        EXPECT_FALSE(device.isStarted());
        pump();
        EXPECT_TRUE(device.isStarted());
    }
    {
        TRecorder off;
        off.SetAutoStart(false);
        pump();
        EXPECT_FALSE(device.isOpen());
    }
    device.failOpenWith(wi::MMSYSERR_ALLOCATED);
    {
        TRecorder fails;
        pump();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].first, "EInOutError waveInOpenQuery: " + WaveErrorText(wi::MMSYSERR_ALLOCATED));
        EXPECT_EQ(shown[0].second, "EntradaAudio auto-start");
    }
    SetAudioMessageBox(previous);
}

TEST(WaveErrorText, NamesCodes) {
    EXPECT_EQ(WaveErrorText(0xBEEF), "MMERR_???");
    for (unsigned code : {wi::MMSYSERR_BADDEVICEID, wi::MMSYSERR_ALLOCATED, wi::WAVERR_BADFORMAT}) {
        const std::string text = WaveErrorText(code);
        EXPECT_FALSE(text.empty()) << code;
        EXPECT_NE(text, "MMERR_???") << code;
    }
}

TEST(SettingsObjects, ChangeEventsOnlyOnRealChanges) {
    int changes = 0;
    TAudioLineParameters q;
    EXPECT_EQ(q.Channels(), 1);
    EXPECT_EQ(q.Frequency(), 11025);
    EXPECT_EQ(q.BitsPerSample(), 8);
    q.OnChange = [&](TAudioLineParameters* sender) { EXPECT_EQ(sender, &q); ++changes; };
    q.SetFrequency(11025);
    q.SetChannels(1);
    EXPECT_EQ(changes, 0);
    TAudioLineParameters other;
    other.SetChannels(2);
    other.SetBitsPerSample(16);
    q.Assign(other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(q.Channels(), 2);
    EXPECT_EQ(q.BitsPerSample(), 16);

    TWaveInDeviceID id;
    EXPECT_EQ(id.id(), -1);
    id.OnChange = [&](TWaveInDeviceID*) { ++changes; };
    id.Setid(-1);
    id.Setid(3);
    EXPECT_EQ(changes, 3);
}

}  // namespace
