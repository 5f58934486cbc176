#include "audio/fft.h"
#include "audio/recorder.h"
#include "audio_test_support.h"
#include "platform/wavein/stepped_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

namespace {

namespace wi = platform::wavein;
using audiotest::Call;
using audiotest::Probe;
using audiotest::pump;
using audiotest::whoGot;

// A recorder on the stepped device with an analyser attached; N comes out as
// the smallest power of two covering both `requested` and `blockFrames`.
class AnalyserTest : public ::testing::Test {
protected:
    void SetUp() override { audiotest::app(); }

    void wire(int requested, int blockFrames, int channels = 1, int bits = 8) {
        recorder = std::make_unique<TRecorder>();
        recorder->SetAutoStart(false);
        recorder->Quality().SetChannels(channels);
        recorder->Quality().SetBitsPerSample(bits);
        recorder->SetBufSize(blockFrames);
        fft = std::make_unique<TFFT>();
        fft->SetSource(recorder.get());
        fft->SetBufSize(requested);
        pump();
    }
    void start() {
        recorder->Start();
        pump();
    }
    void deliver(const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(device.completeBlock(bytes));
        pump();
    }
    void TearDown() override {
        fft.reset();
        recorder.reset();
    }

    double largestOtherThan(std::initializer_list<int> bins) const {
        double worst = 0;
        for (int i = 0; i < fft->BufSize(); ++i) {
            if (std::find(bins.begin(), bins.end(), i) != bins.end()) continue;
            worst = std::max(worst, fft->Magnitude(i));
        }
        return worst;
    }

    wi::SteppedDevice device;
    std::unique_ptr<TRecorder> recorder;
    std::unique_ptr<TFFT> fft;
};

TEST(AnalyserSizing, SmallestPowerOfTwoCoveringRequestAndBlock) {
    audiotest::app();
    struct Case {
        int requested, block;  // block 0: no source
        int n;
    } cases[] = {{16380, 4069, 16384}, {1024, 256, 1024}, {1000, 2000, 2048}, {1, 0, 1},
                 {0, 0, 1},        {-5, 0, 1},         {4096, 4096, 4096}, {3, 0, 4}};
    for (const Case& c : cases) {
        TRecorder recorder;
        recorder.SetAutoStart(false);
        TFFT fft;
        if (c.block) {
            recorder.SetBufSize(c.block);
            fft.SetSource(&recorder);
        }
        fft.SetBufSize(c.requested);
        EXPECT_EQ(fft.BufSize(), c.n) << c.requested << "/" << c.block;
        EXPECT_EQ(fft.BandCount(), c.n / 2);
    }
    // Wired as the main window does it.
    TRecorder recorder;
    recorder.SetAutoStart(false);
    TFFT fft;
    fft.SetSource(&recorder);
    EXPECT_EQ(fft.BufSize(), 1024);
    fft.SetBufSize(16380);
    EXPECT_EQ(fft.BufSize(), 16384);
    EXPECT_FALSE(fft.HasTables());
}

TEST_F(AnalyserTest, ConstantInputGivesOnlyADcLine) {
    struct Case {
        std::uint8_t byte;
        double dc;  // (byte * 64 - 8192) * sqrt(N)
    } cases[] = {{128, 0.0}, {200, 4608.0 * 32.0}, {0, 8192.0 * 32.0}};
    for (const Case& c : cases) {
        wire(1024, 256);
        start();
        EXPECT_TRUE(fft->HasTables());
        for (int b = 0; b < 4; ++b) deliver({c.byte});  // 4 blocks fill the history
        EXPECT_NEAR(fft->Magnitude(0), c.dc, 1e-9 * 8192 * 32) << int(c.byte);
        EXPECT_LT(largestOtherThan({0}), 1e-6) << int(c.byte);
        EXPECT_NEAR(fft->BandLevel(0), c.dc / 1024, 1e-6);
        TearDown();
    }
}

TEST_F(AnalyserTest, PureToneOnABinPeaksThereAndAtItsMirror) {
    const int n = 1024, k = 37;
    wire(n, n);
    start();
    std::vector<std::uint8_t> block(n);
    for (int i = 0; i < n; ++i)
        block[std::size_t(i)] = std::uint8_t(std::lround(128 + 100 * std::sin(2 * std::numbers::pi * k * i / n)));
    deliver(block);
    const double peak = fft->Magnitude(k);
    EXPECT_NEAR(fft->Magnitude(n - k), peak, 1e-6 * peak);
    EXPECT_GT(peak, 50 * largestOtherThan({k, n - k}));
    EXPECT_EQ(fft->SamplingRate(), 11025u);
}

// The spectrum equals the DFT of the newest N samples, however the blocks cut
// the stream: catches errors in the shift, the bit reversal and the twiddles.
TEST_F(AnalyserTest, SpectrumIsTheDftOfTheNewestSamples) {
    struct Case {
        int requested, block, blocks;
        std::vector<int> bins;  // empty: all
    } cases[] = {{60, 24, 5, {}}, {16, 16, 3, {}}, {16380, 4069, 5, {0, 1, 123, 4096, 8191, 16383}}};
    std::mt19937 random(7);
    for (const Case& c : cases) {
        wire(c.requested, c.block);
        start();
        const int n = fft->BufSize();
        std::vector<int> stream;
        for (int b = 0; b < c.blocks; ++b) {
            std::vector<std::uint8_t> block(std::size_t(c.block));
            for (auto& v : block) v = std::uint8_t(random() & 0xFF);
            for (auto v : block) stream.push_back(v * 64 - 8192);
            deliver(block);
        }
        // Older than the stream: the zeros the history started from.
        std::vector<double> newest(std::size_t(n), 0.0);
        for (int i = 0; i < n && i < int(stream.size()); ++i)
            newest[std::size_t(n - 1 - i)] = stream[stream.size() - 1 - std::size_t(i)];
        std::vector<int> bins = c.bins;
        if (bins.empty())
            for (int i = 0; i < n; ++i) bins.push_back(i);
        for (int bin : bins) {
            std::complex<double> sum = 0;
            for (int t = 0; t < n; ++t)
                sum += newest[std::size_t(t)] * std::polar(1.0, -2 * std::numbers::pi * double(bin) * t / n);
            EXPECT_NEAR(fft->Magnitude(bin), std::abs(sum) / std::sqrt(double(n)), 1e-6 * 8192 * std::sqrt(double(n)))
                << "N " << n << " bin " << bin;
        }
        TearDown();
    }
}

TEST_F(AnalyserTest, ChannelSelection) {
    struct Case {
        int channels;
        TFFTChannel pick;
        std::vector<std::uint8_t> frame;
        double value;  // the sample each frame enters the history as
    } cases[] = {
        {2, chBoth, {200, 128}, (200 + 128) * 128 - 32768},
        {2, chLeft, {200, 128}, 200 * 64 - 8192},
        {2, chRight, {200, 128}, 0},
        {1, chRight, {200}, 200 * 64 - 8192},  // no right channel: the mixed value
    };
    for (const Case& c : cases) {
        wire(256, 256, c.channels);
        fft->SetChannels(c.pick);
        start();
        deliver(c.frame);
        EXPECT_NEAR(fft->Magnitude(0), c.value * 16.0, 1e-6) << c.channels << "ch pick " << c.pick;
        TearDown();
    }
}

TEST_F(AnalyserTest, SixteenBitChannelsAreSignedLittleEndian) {
    wire(256, 256, 2, 16);
    fft->SetChannels(chRight);
    start();
    deliver({0x00, 0x00, 0x18, 0xFC});  // right = -1000
    EXPECT_NEAR(fft->Magnitude(0), 1000.0 * 16.0, 1e-6);
}

TEST_F(AnalyserTest, EveryOpeningStartsFromAnEmptyHistory) {
    std::vector<Call> log;
    Probe listener("l", log);
    wire(1024, 256);
    fft->AddListener(listener.listener());
    EXPECT_EQ(fft->Magnitude(0), 0.0);  // no tables yet
    start();
    deliver({200});
    EXPECT_GT(fft->Magnitude(0), 0.0);
    recorder->Stop();
    recorder->Close();
    start();
    for (int i = 0; i < fft->BufSize(); ++i) ASSERT_EQ(fft->Magnitude(i), 0.0) << i;
    EXPECT_EQ(whoGot(log, aeOpen).size(), 2u);
    EXPECT_EQ(whoGot(log, aeData).size(), 1u);
    EXPECT_EQ(fft->Magnitude(-1), 0.0);
    EXPECT_EQ(fft->Magnitude(fft->BufSize()), 0.0);
}

TEST_F(AnalyserTest, ListenerSlotsFillFromTheTop) {
    std::vector<Call> log;
    std::vector<std::unique_ptr<Probe>> probes;
    wire(64, 64);
    for (int i = 0; i < 5; ++i) {
        probes.push_back(std::make_unique<Probe>(std::to_string(i), log));
        fft->AddListener(probes.back()->listener());
    }
    start();
    deliver({});
    // First in slot 3 (told last); the fifth found no slot.
    EXPECT_EQ(whoGot(log, aeData), (std::vector<std::string>{"3", "2", "1", "0"}));
    EXPECT_EQ(log.front().sender, fft.get());

    log.clear();
    fft->RemoveListener(probes[2]->listener());
    probes[0].reset();  // its removal notice empties its slot
    deliver({});
    EXPECT_EQ(whoGot(log, aeData), (std::vector<std::string>{"3", "1"}));
}

TEST_F(AnalyserTest, SameSourceTwiceRegistersOnce) {
    std::vector<Call> log;
    Probe listener("l", log);
    wire(64, 64);
    fft->SetSource(recorder.get());
    fft->AddListener(listener.listener());
    // Five more recorder listeners fit only if the analyser holds one slot.
    std::vector<std::unique_ptr<Probe>> others;
    for (int i = 0; i < 5; ++i) {
        others.push_back(std::make_unique<Probe>("r" + std::to_string(i), log));
        recorder->AddListener(others.back()->listener());
    }
    start();
    log.clear();
    deliver({});
    const std::vector<std::string> told = whoGot(log, aeData);
    EXPECT_EQ(told.size(), 6u);  // one spectrum + five recorder listeners
    EXPECT_EQ(std::count(told.begin(), told.end(), "l"), 1);
}

TEST_F(AnalyserTest, DestroyedSourceLeavesNoSourceAndNoTables) {
    wire(1024, 256);
    start();
    deliver({200});
    ASSERT_TRUE(fft->HasTables());
    recorder.reset();
    EXPECT_EQ(fft->Source(), nullptr);
    EXPECT_FALSE(fft->HasTables());
    EXPECT_EQ(fft->Magnitude(0), 0.0);
    EXPECT_EQ(fft->BandLevel(0), 0.0);
    fft.reset();  // nothing left to detach from
}

TEST_F(AnalyserTest, DestroyedAnalyserLeavesTheRecorder) {
    wire(64, 64);
    start();
    fft.reset();
    deliver({});  // nothing calls the analyser any more
    SUCCEED();
}

TEST_F(AnalyserTest, ChangingSourceMovesTheRegistration) {
    wire(64, 64);
    TRecorder other;
    other.SetAutoStart(false);
    other.SetBufSize(300);
    fft->SetSource(&other);
    EXPECT_EQ(fft->BufSize(), 512);
    start();  // the old source no longer reaches the analyser
    deliver({200});
    EXPECT_FALSE(fft->HasTables());
    fft->SetSource(nullptr);
    EXPECT_EQ(fft->Source(), nullptr);
}

TEST_F(AnalyserTest, BufSizeWithTablesRebuildsAtOnce) {
    std::vector<Call> log;
    Probe listener("l", log);
    wire(64, 64);
    fft->AddListener(listener.listener());
    start();
    deliver({200});
    log.clear();
    fft->SetBufSize(100);
    EXPECT_EQ(fft->BufSize(), 128);
    EXPECT_TRUE(fft->HasTables());
    EXPECT_EQ(fft->Tables().size(), 128);
    EXPECT_EQ(whoGot(log, aeOpen).size(), 1u);
    EXPECT_EQ(fft->Magnitude(0), 0.0);
}

TEST_F(AnalyserTest, BlockLongerThanTheHistoryKeepsItsNewestFrames) {
    wire(16, 16);
    start();
    recorder->Stop();
    TRecorder longer;
    longer.SetAutoStart(false);
    longer.SetBufSize(64);
    longer.Start();
    std::vector<std::uint8_t> block(64, 128);
    for (int i = 48; i < 64; ++i) block[std::size_t(i)] = 200;
    ASSERT_TRUE(device.completeBlock(block));
    pump();
    fft->Analyse(&longer);
    EXPECT_NEAR(fft->Magnitude(0), 4608.0 * 4.0, 1e-6);
    EXPECT_LT(largestOtherThan({0}), 1e-6);
}

TEST_F(AnalyserTest, BandsAtTheMainWindowsSettings) {
    wire(16380, 4069);
    start();
    deliver({});
    EXPECT_EQ(fft->BandCount(), 8192);
    EXPECT_EQ(fft->BandFrequency(8192), 5512.0);
    EXPECT_EQ(fft->BandFrequency(1), 0.0);
    EXPECT_EQ(fft->BandFrequency(100), 67.0);  // 67.29 rounded down
}

}  // namespace
