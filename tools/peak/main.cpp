// quindral-peak: prints the strongest line of each spectrum the tuner would
// see from the default input (11025 Hz, 8-bit mono, blocks of 4069 frames,
// 16384-point analysis). Ctrl-C ends it. QUINDRAL_WAVEIN=<file.wav> analyses
// a file instead of the microphone.

#include "audio/captura_afinador.h"
#include "audio/fft.h"
#include "audio/recorder.h"
#include "platform/core/exceptions.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char c = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &c, 1);
}

// Prints one line per new spectrum: frequency of the strongest bin above DC,
// and its magnitude.
class PeakPrinter : public platform::Component {
public:
    explicit PeakPrinter(const TFFT& fft) : fft_(fft) {}

    void onSpectrum(platform::Component*, TAudioEvent event) {
        if (event != aeData) return;
        int best = 1;
        for (int i = 2; i < fft_.BandCount(); ++i)
            if (fft_.Magnitude(i) > fft_.Magnitude(best)) best = i;
        const double hertz = double(best) * double(fft_.SamplingRate()) / double(fft_.BufSize());
        std::printf("%.3f Hz\t%.1f\n", hertz, fft_.Magnitude(best));
        std::fflush(stdout);
    }

private:
    const TFFT& fft_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);

    if (::pipe(signalPipe) != 0) {
        std::perror("quindral-peak: pipe");
        return 1;
    }
    QSocketNotifier stopper(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&stopper, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    TRecorder recorder;
    TFFT fft;
    captura_afinador::configurar(recorder, fft);
    PeakPrinter printer(fft);
    fft.AddListener(makeAudioListener(&printer, &PeakPrinter::onSpectrum));

    try {
        recorder.Start();
    } catch (const EInOutError& e) {
        std::fprintf(stderr, "%s\n", e.message().c_str());
        return 1;
    }
    const int result = app.exec();
    recorder.Stop();
    recorder.Close();
    return result;
}
