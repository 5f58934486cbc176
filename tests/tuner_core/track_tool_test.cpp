// The built quindral-track on generated recordings.

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A plucked-string stand-in: fundamental plus a few weaker harmonics, 16-bit mono.
void writeStringWav(const std::filesystem::path& path, double fundamental, double seconds, int rate = 44100) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<double> samples(frames);
    const double weights[] = {0.5, 0.2, 0.12, 0.06};
    for (std::size_t i = 0; i < frames; ++i) {
        double v = 0;
        for (int h = 0; h < 4; ++h)
            v += weights[h] * std::sin(2 * std::numbers::pi * fundamental * (h + 1) * double(i) / rate);
        samples[i] = v;
    }
    ASSERT_EQ(sf_writef_double(file, samples.data(), sf_count_t(frames)), sf_count_t(frames));
    sf_close(file);
}

struct Tick {
    double t, peak, desired, needle;
    int centred, tuned;
};

struct TrackRun {
    int exitCode = -1;
    std::vector<Tick> ticks;
    std::optional<double> finalNeedle;
    std::string tunedAt;
    std::string output;
    int otherLines = 0;
};

TrackRun track(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {QUINDRAL_TRACK_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto result = test_support::runProcess(argv, {}, 60s);
    TrackRun run;
    run.exitCode = result.exitCode;
    run.output = result.output;
    const std::regex tickLine(
        R"(t=(-?\d+\.\d{3}) peak=(-?\d+\.\d{3}) desired=(-?\d+\.\d{3}) needle=(-?\d+\.\d{3}) centred=([01]) tuned=([01]))");
    const std::regex summaryLine(R"(final needle=(-?\d+\.\d{3}) tuned_at=(none|\d+\.\d{3}))");
    std::istringstream lines(result.output);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, m, tickLine)) {
            run.ticks.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), std::stoi(m[5]),
                                 std::stoi(m[6])});
        } else if (std::regex_match(line, m, summaryLine)) {
            run.finalNeedle = std::stod(m[1]);
            run.tunedAt = m[2];
        } else {
            ++run.otherLines;
        }
    }
    return run;
}

struct InTune {
    double hertz;
    int note;
};

TEST(TrackTool, InTuneStringSettlesAtTheCentreAndShowsTuned) {
    // 110 Hz (A2), and 392 Hz (G4), which only reads in tune when the bins
    // are counted at the analyser's real size.
    for (const InTune c : {InTune{110.0, 45}, InTune{391.995, 67}, InTune{82.407, 40}}) {
        test_support::TempDir dir("quindral-track");
        writeStringWav(dir / "string.wav", c.hertz, 5.0);
        const TrackRun run = track({(dir / "string.wav").string(), std::to_string(c.note)});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.otherLines, 0) << run.output;

        // Ticks every 50 ms from 0.05 s through the first one after the 5 s end.
        ASSERT_EQ(run.ticks.size(), 101u);
        for (std::size_t i = 0; i < run.ticks.size(); ++i) EXPECT_NEAR(run.ticks[i].t, 0.05 * (i + 1), 1e-9);
        // Before the first block completes (4069 / 11025 s) the spectrum is silent.
        EXPECT_EQ(run.ticks.front().peak, 0.0);
        EXPECT_EQ(run.ticks.front().needle, -90.0);
        EXPECT_EQ(run.ticks[6].peak, 0.0);   // 0.35 s
        EXPECT_GT(run.ticks[7].peak, 0.0);   // 0.40 s

        ASSERT_TRUE(run.finalNeedle);
        EXPECT_EQ(*run.finalNeedle, 0.0) << "note " << c.note;
        ASSERT_NE(run.tunedAt, "none") << "note " << c.note;
        const double tunedAt = std::stod(run.tunedAt);
        EXPECT_LT(tunedAt, 3.0);
        // tuned_at is the first tick showing tuned; from then on it stays.
        for (const Tick& t : run.ticks) {
            EXPECT_EQ(t.tuned, t.t >= tunedAt - 1e-9 ? 1 : 0) << "t=" << t.t;
            if (t.tuned) {
                EXPECT_EQ(t.centred, 1);
            }
        }
        EXPECT_EQ(run.ticks.back().desired, 0.0);
    }
}

TEST(TrackTool, SharpStringStaysRightOfCentre) {
    test_support::TempDir dir("quindral-track");
    writeStringWav(dir / "sharp.wav", 112.0, 3.0);
    const TrackRun run = track({(dir / "sharp.wav").string(), "45"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.tunedAt, "none");
    ASSERT_TRUE(run.finalNeedle);
    // 2 Hz sharp: about three bins, -20 degrees.
    EXPECT_NEAR(*run.finalNeedle, -20.0, 2.5);

    // tipoSistema 2 reads one bin lower: 6.73 degrees less sharp.
    const TrackRun shifted = track({(dir / "sharp.wav").string(), "45", "--tipo-sistema", "2"});
    ASSERT_EQ(shifted.exitCode, 0) << shifted.output;
    ASSERT_TRUE(shifted.finalNeedle);
    EXPECT_NEAR(*shifted.finalNeedle - *run.finalNeedle, 6.729, 0.01);
}

TEST(TrackTool, BadInputEndsWithOneLineAndExitCodeTwo) {
    test_support::TempDir dir("quindral-track");
    writeStringWav(dir / "ok.wav", 110.0, 0.5);
    { std::ofstream(dir / "text.wav") << "not a sound file\n"; }
    const std::string ok = (dir / "ok.wav").string();
    const std::vector<std::vector<std::string>> cases = {
        {(dir / "missing.wav").string(), "45"},
        {(dir / "text.wav").string(), "45"},
        {dir.path().string(), "45"},
        {ok, "127"},
        {ok, "-1"},
        {ok, "A2"},
        {ok},
        {ok, "45", "--tipo-sistema"},
        {ok, "45", "--tipo-sistema", "x"},
        {ok, "45", "--other", "1"},
    };
    for (const auto& args : cases) {
        const TrackRun run = track(args);
        std::string shown;
        for (const auto& a : args) shown += a + " ";
        EXPECT_EQ(run.exitCode, 2) << shown << "\n" << run.output;
        EXPECT_TRUE(run.ticks.empty()) << shown;
        EXPECT_EQ(run.otherLines, 1) << shown << "\n" << run.output;
        EXPECT_EQ(run.output.rfind("quindral-track: ", 0), 0u) << run.output;
    }
}

}  // namespace
