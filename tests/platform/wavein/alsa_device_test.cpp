// ALSA capture through the "default" PCM, reaching a private PulseAudio
// server whose default source hears a tone.

#include "platform/wavein/wavein.h"

#include "tests/platform/wavein/wavein_fixture.h"
#include "tests/support/audio_files.h"
#include "tests/support/pulse_server.h"

namespace platform::wavein::test {
namespace {

using namespace std::chrono_literals;

// The first capture after the server was idle can take seconds to start.
constexpr auto kFirstData = 30s;

const WaveFormat kMono8 = pcm(11025, 1, 8);

bool allBack(const Blocks& blocks) {
    for (const auto& b : blocks.headers)
        if ((b.flags & (WHDR_DONE | WHDR_INQUEUE)) != WHDR_DONE) return false;
    return true;
}

TEST(AlsaDevice, DefaultInputHearsTheToneAndGivesEveryBlockBack) {
    app();
    test_support::PulseServer pulse;
    ASSERT_TRUE(pulse.running()) << pulse.error();
    ASSERT_TRUE(pulse.playTone(440));
    Reports reports;

    ASSERT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &kMono8, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    HWAVEIN h = nullptr;
    ASSERT_EQ(waveInOpen(&h, WAVE_MAPPER, &kMono8, reports.target(), CALLBACK_WINDOW), MMSYSERR_NOERROR);
    Blocks blocks(8, 1024);
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);

    // Blocks come back in queue order; by the third the stream has settled.
    ASSERT_TRUE(reports.waitFor([&] { return reports.dataHeaders().size() >= 3; }, kFirstData))
        << "no capture; server log:\n" << pulse.log();
    ASSERT_EQ(waveInStop(h), MMSYSERR_NOERROR);
    reports.pump();
    const auto done = reports.dataHeaders();
    for (std::size_t k = 0; k < done.size(); ++k) EXPECT_EQ(done[k], &blocks.headers[k]) << k;
    const auto samples = test_support::fromUnsigned8(blocks.headers[2].data, blocks.headers[2].bytesRecorded);
    EXPECT_NEAR(test_support::dominantFrequency(samples, 11025, 1024), 440, 12);
    EXPECT_GT(test_support::rms(samples), 2.0) << "the tone is in the bytes, not silence";

    std::uint32_t position = 0;
    EXPECT_EQ(waveInGetPosition(h, &position), MMSYSERR_NOERROR);
    EXPECT_GE(position, 3 * 1024u);

    // Start after stop resumes; reset then hands back every queued block.
    const std::size_t beforeRestart = reports.dataHeaders().size();
    ASSERT_LT(beforeRestart, 8u);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    EXPECT_TRUE(reports.waitFor([&] { return reports.dataHeaders().size() > beforeRestart; }, kFirstData));
    ASSERT_EQ(waveInReset(h), MMSYSERR_NOERROR);
    reports.pump();
    EXPECT_TRUE(allBack(blocks));
    EXPECT_EQ(reports.dataHeaders().size(), 8u);
    ASSERT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    reports.pump();
    EXPECT_EQ(reports.received.front().message, MM_WIM_OPEN);
    EXPECT_EQ(reports.received.back().message, MM_WIM_CLOSE);
    EXPECT_EQ(reports.count(MM_WIM_DATA), 8);
}

TEST(AlsaDevice, CloseRightAfterStartEndsTheWorker) {
    // The worker may be waiting on a device that has not delivered yet.
    app();
    test_support::PulseServer pulse;
    ASSERT_TRUE(pulse.running()) << pulse.error();
    Reports reports;
    for (int round = 0; round < 3; ++round) {
        HWAVEIN h = nullptr;
        ASSERT_EQ(waveInOpen(&h, WAVE_MAPPER, &kMono8, reports.target(), CALLBACK_WINDOW), MMSYSERR_NOERROR);
        Blocks blocks(4, 4069);
        blocks.queueAll(h);
        ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
        ASSERT_EQ(waveInReset(h), MMSYSERR_NOERROR);
        EXPECT_TRUE(allBack(blocks));
        ASSERT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    }
}

TEST(AlsaDevice, WithoutASoundServerOpeningFailsCleanly) {
    app();
    test_support::NoPulseServer none;
    Reports reports;
    HWAVEIN h = nullptr;
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &kMono8, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &kMono8, reports.target(), CALLBACK_WINDOW), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(h, nullptr);
    const int past = static_cast<int>(waveInGetNumDevs());
    EXPECT_EQ(waveInOpen(nullptr, past, &kMono8, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    reports.pump();
    EXPECT_TRUE(reports.received.empty());
}

TEST(AlsaDevice, AfterTheSoundServerEndsOpeningFailsCleanly) {
    // ALSA keeps routing "default" to the server it found first.
    app();
    Reports reports;
    {
        test_support::PulseServer pulse;
        ASSERT_TRUE(pulse.running()) << pulse.error();
        ASSERT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &kMono8, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
    }
    HWAVEIN h = nullptr;
    EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &kMono8, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
    EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &kMono8, reports.target(), CALLBACK_WINDOW), MMSYSERR_BADDEVICEID);
}

}  // namespace
}  // namespace platform::wavein::test
