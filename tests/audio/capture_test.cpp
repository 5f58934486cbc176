// The real capture path: ALSA's default PCM through a private PulseAudio
// server, recorder and analyser wired as the main window wires them.

#include "audio/captura_afinador.h"
#include "audio/fft.h"
#include "audio/recorder.h"
#include "audio_test_support.h"
#include "platform/core/exceptions.h"
#include "tests/support/pulse_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using audiotest::Call;
using audiotest::Probe;

// Delivers events until `done` holds or `limitMs` has passed (a bound, not
// an expectation: the first capture after an idle server is slow).
template <class Done>
bool runUntil(Done done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

TEST(Capture, ToneFromTheDefaultInputPeaksAtItsBin) {
    ::unsetenv("QUINDRAL_WAVEIN");
    test_support::PulseServer pulse;
    ASSERT_TRUE(pulse.running()) << pulse.error();
    const unsigned tone = 441;
    ASSERT_TRUE(pulse.playTone(tone));
    audiotest::app();

    TRecorder recorder;
    TFFT fft;
    captura_afinador::configurar(recorder, fft);
    std::vector<Call> log;
    Probe spectra("spectra", log);
    fft.AddListener(spectra.listener());

    recorder.Start();
    // Five spectra: the history then holds the newest four blocks whole.
    const bool enough = runUntil([&] { return audiotest::whoGot(log, aeData).size() >= 5; }, 30000);
    ASSERT_TRUE(enough) << "spectra: " << audiotest::whoGot(log, aeData).size() << "\n" << pulse.log();
    ASSERT_EQ(fft.BufSize(), 16384);
    EXPECT_EQ(fft.SamplingRate(), 11025u);

    int peak = 1;
    for (int i = 2; i < fft.BandCount(); ++i)
        if (fft.Magnitude(i) > fft.Magnitude(peak)) peak = i;
    const double expected = tone * 16384.0 / 11025.0;  // 655.4
    EXPECT_LE(std::abs(peak - expected), 1.0) << "peak bin " << peak;
    // A real line, well above the noise between 100 and 300 Hz.
    double noise = 0;
    for (int i = 149; i < 446; ++i) noise = std::max(noise, fft.Magnitude(i));
    EXPECT_GT(fft.Magnitude(peak), 10 * noise);

    recorder.Stop();
    recorder.Close();
}

TEST(Capture, NoSoundServerFailsToOpenWithACode) {
    ::unsetenv("QUINDRAL_WAVEIN");
    test_support::NoPulseServer none;
    audiotest::app();
    TRecorder recorder;
    recorder.SetAutoStart(false);
    try {
        recorder.Start();
        ADD_FAILURE() << "opened without a sound server";
    } catch (const EInOutError& e) {
        EXPECT_NE(e.ErrorCode, 0);
        const std::string& m = e.message();
        EXPECT_TRUE(m.rfind("waveInOpenQuery: ", 0) == 0 || m.rfind("waveInOpen: ", 0) == 0) << m;
        EXPECT_LT(m.find(": ") + 2, m.size()) << "no error text: " << m;
    }
    recorder.Stop();
}

}  // namespace
