// The file-backed default device: a sine written with libsndfile, played
// through the interface in another format.

#include "platform/wavein/wavein.h"

#include "tests/platform/wavein/wavein_fixture.h"
#include "tests/support/audio_files.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <cmath>
#include <fstream>

namespace platform::wavein::test {
namespace {

using namespace std::chrono_literals;
using test_support::dominantFrequency;

constexpr double kTone = 440;
constexpr double kFileSeconds = 0.5;  // short, so that looping shows within a few blocks

class FileDevice : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        test_support::writeSineWav(dir / "tone.wav", kTone, 44100, 2, kFileSeconds);
    }

    test_support::Environment fileEnv(const std::string& pace, const std::string& loop) {
        return {{"QUINDRAL_WAVEIN", (dir / "tone.wav").string()},
                {"QUINDRAL_WAVEIN_PACE", pace},
                {"QUINDRAL_WAVEIN_LOOP", loop}};
    }

    HWAVEIN open(const WaveFormat& f) {
        HWAVEIN h = nullptr;
        EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &f, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);
        EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &f, reports.target(), CALLBACK_WINDOW), MMSYSERR_NOERROR);
        return h;
    }

    // Resets and closes, as the recorder does.
    void finish(HWAVEIN h) {
        EXPECT_EQ(waveInReset(h), MMSYSERR_NOERROR);
        EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
    }

    test_support::TempDir dir{"quindral-wavein"};
    Reports reports;
};

// Channel 0 of a block as sample values.
std::vector<double> channel0(const WaveHeader& h, const WaveFormat& f) {
    std::vector<double> out;
    const auto* p = reinterpret_cast<const std::uint8_t*>(h.data);
    for (std::size_t i = 0; i + f.blockAlign <= h.bytesRecorded; i += f.blockAlign)
        out.push_back(f.bitsPerSample == 8 ? p[i] - 128.0 : static_cast<std::int16_t>(p[i] | p[i + 1] << 8));
    return out;
}

TEST_F(FileDevice, LoopsTheFileConvertedToTheRequestedFormat) {
    test_support::ScopedEnvironment env(fileEnv("0", "1"));
    struct Case {
        WaveFormat format;
        double fullScale;
    };
    for (const Case& c : {Case{pcm(11025, 1, 8), 128}, Case{pcm(22050, 2, 16), 32768}}) {
        SCOPED_TRACE(c.format.samplesPerSec);
        reports.received.clear();
        HWAVEIN h = open(c.format);
        // Eight blocks of 2048 frames outlast the file (5513 or 11025 frames):
        // the later ones hold the tone only if the device looped.
        Blocks blocks(8, 2048 * c.format.blockAlign);
        blocks.queueAll(h);
        ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
        ASSERT_TRUE(reports.waitFor([&] { return reports.dataHeaders().size() == 8; }, 20s));

        for (const WaveHeader* b : reports.dataHeaders()) {
            ASSERT_EQ(b->bytesRecorded, b->bufferLength);
            const auto samples = channel0(*b, c.format);
            EXPECT_NEAR(dominantFrequency(samples, c.format.samplesPerSec, 2048), kTone, 8);
            // Written at half of full scale: the RMS of a sine is amplitude / sqrt 2.
            EXPECT_NEAR(test_support::rms(samples) / c.fullScale, 0.5 / std::sqrt(2.0), 0.05);
        }
        if (c.format.channels == 2) {
            const auto* s = reinterpret_cast<const std::int16_t*>(blocks.headers[3].data);
            for (int i = 0; i < 2048; ++i) ASSERT_EQ(s[2 * i], s[2 * i + 1]) << "channels duplicated, frame " << i;
        }
        finish(h);
    }
}

TEST_F(FileDevice, PlayedOnceUnpacedEveryFrameArrivesThenTheDeviceStops) {
    test_support::ScopedEnvironment env(fileEnv("0", "0"));
    const WaveFormat f = pcm(11025, 1, 8);
    HWAVEIN h = open(f);
    // Two blocks re-queued as they come back, as the recorder does: the
    // device must wait for them rather than lose frames.
    Blocks blocks(2, 300);
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    std::size_t frames = 0, seen = 0;
    ASSERT_TRUE(reports.waitFor(
        [&] {
            auto done = reports.dataHeaders();
            for (; seen < done.size(); ++seen) {
                frames += done[seen]->bytesRecorded;
                EXPECT_EQ(waveInPrepareHeader(h, done[seen]), MMSYSERR_NOERROR);
                EXPECT_EQ(waveInAddBuffer(h, done[seen]), MMSYSERR_NOERROR);
            }
            return waveInSourceEnded(h);
        },
        20s));
    // The block begun at the end stays queued until reset hands it back.
    EXPECT_EQ(waveInReset(h), MMSYSERR_NOERROR);
    reports.pump();
    auto done = reports.dataHeaders();
    for (; seen < done.size(); ++seen) frames += done[seen]->bytesRecorded;
    EXPECT_NEAR(static_cast<double>(frames), kFileSeconds * 11025, 3);
    std::uint32_t position = 0;
    EXPECT_EQ(waveInGetPosition(h, &position), MMSYSERR_NOERROR);
    EXPECT_EQ(position, frames);
    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
}

TEST_F(FileDevice, PacedBlocksArriveNoFasterThanRealTime) {
    test_support::ScopedEnvironment env(fileEnv("1", "1"));
    const WaveFormat f = pcm(11025, 1, 8);
    HWAVEIN h = open(f);
    Blocks blocks(3, 1103);  // about 0.1 s each
    blocks.queueAll(h);
    const auto begin = std::chrono::steady_clock::now();
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    ASSERT_TRUE(reports.waitFor([&] { return reports.dataHeaders().size() == 3; }, 20s));
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - begin;
    // A lower bound only: pace means never ahead of the wall clock.
    EXPECT_GE(elapsed.count(), 0.95 * 3 * 1103 / 11025.0);
    EXPECT_NEAR(dominantFrequency(channel0(blocks.headers[2], f), 11025, 1103), kTone, 15);
    finish(h);
}

TEST_F(FileDevice, StopKeepsQueuedBlocksAndStartResumes) {
    test_support::ScopedEnvironment env(fileEnv("1", "1"));
    const WaveFormat f = pcm(11025, 1, 8);
    HWAVEIN h = open(f);
    Blocks blocks(4, 441);  // 40 ms each
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    ASSERT_TRUE(reports.waitFor([&] { return !reports.dataHeaders().empty(); }, 20s));
    ASSERT_EQ(waveInStop(h), MMSYSERR_NOERROR);
    reports.pump();
    const auto stoppedAt = reports.dataHeaders().size();
    ASSERT_LT(stoppedAt, 4u);
    std::this_thread::sleep_for(100ms);
    reports.pump();
    EXPECT_EQ(reports.dataHeaders().size(), stoppedAt) << "nothing fills while stopped";
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    ASSERT_TRUE(reports.waitFor([&] { return reports.dataHeaders().size() == 4; }, 20s));
    EXPECT_EQ(waveInClose(h), MMSYSERR_NOERROR);
}

TEST_F(FileDevice, UnreadableFileIsNoDevice) {
    std::ofstream(dir / "notes.txt") << "this is not a sound file\n";
    test_support::writeSineWav(dir / "empty.wav", kTone, 44100, 1, 0);
    const WaveFormat f = pcm(11025, 1, 8);
    for (const auto& path : {dir / "missing.wav", dir / "notes.txt", dir.path()}) {
        SCOPED_TRACE(path.string());
        test_support::ScopedEnvironment env({{"QUINDRAL_WAVEIN", path.string()}});
        HWAVEIN h = nullptr;
        EXPECT_EQ(waveInOpen(nullptr, WAVE_MAPPER, &f, nullptr, WAVE_FORMAT_QUERY), MMSYSERR_BADDEVICEID);
        EXPECT_EQ(waveInOpen(&h, WAVE_MAPPER, &f, reports.target(), CALLBACK_WINDOW), MMSYSERR_BADDEVICEID);
    }
    // A file without a single frame opens, and simply never fills a block.
    test_support::ScopedEnvironment env({{"QUINDRAL_WAVEIN", (dir / "empty.wav").string()},
                                         {"QUINDRAL_WAVEIN_PACE", "0"}});
    HWAVEIN h = open(f);
    Blocks blocks(1, 100);
    blocks.queueAll(h);
    ASSERT_EQ(waveInStart(h), MMSYSERR_NOERROR);
    std::this_thread::sleep_for(50ms);
    reports.pump();
    EXPECT_TRUE(reports.dataHeaders().empty());
    finish(h);
    reports.pump();
    ASSERT_EQ(reports.dataHeaders().size(), 1u);
    EXPECT_EQ(reports.dataHeaders()[0]->bytesRecorded, 0u);
}

}  // namespace
}  // namespace platform::wavein::test
