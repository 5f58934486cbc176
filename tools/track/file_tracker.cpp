#include "tools/track/file_tracker.h"

#include "audio/captura_afinador.h"
#include "audio/fft.h"
#include "audio/recorder.h"
#include "platform/clock/manual_clock.h"
#include "platform/core/exceptions.h"
#include "platform/wavein/wavein.h"
#include "tuner/core/espectro.h"
#include "tuner/core/medidor_afinacao.h"
#include "tunings/afinacao.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kRate = captura_afinador::kTaxaAmostragem;
constexpr int kBlockFrames = captura_afinador::kTamanhoBuffer;
constexpr int kTicksPerSecond = 20;

void deliverPosted() {
    for (int i = 0; i < 8; ++i) QCoreApplication::sendPostedEvents();
}

// Sits in a recorder listener slot notified before the analyser's, so at each
// block report the spectrum still holds the blocks before it: the ticks due
// before this block completes run first.
class TickDriver : public platform::Component {
public:
    TickDriver(MedidorAfinacao& medidor, PainelPonteiroMemoria& painel, platform::clock::ManualClock& clock,
               double inicioDia, const std::function<void(const TrackTick&)>& onTick)
        : medidor_(medidor), painel_(painel), clock_(clock), inicioDia_(inicioDia), onTick_(onTick) {}

    void onRecorder(platform::Component* sender, TAudioEvent event) {
        if (event != aeData) return;
        auto* recorder = static_cast<TRecorder*>(sender);
        if (analysed_ != blocks_) outOfOrder_ = true;
        ++blocks_;
        // Ticks at or before this block's end have not seen it.
        const long long end = frames_ + recorder->BlockFrames();
        while (nextTick_ * kRate <= end * kTicksPerSecond) tick();
        frames_ = end;
    }
    void onSpectrum(platform::Component*, TAudioEvent event) {
        if (event == aeData) ++analysed_;
    }
    // Ticks after the last block, through the first one past the end.
    void finish() {
        while ((nextTick_ - 1) * kRate <= frames_ * kTicksPerSecond) tick();
    }

    // True when the analyser was told of a block before the ticks due ahead of it.
    bool outOfOrder() const { return outOfOrder_; }

    TrackResult result() const {
        TrackResult r = result_;
        r.finalNeedle = painel_.angulo;
        r.frames = frames_;
        return r;
    }

private:
    void tick() {
        TrackTick t;
        t.seconds = double(nextTick_) / kTicksPerSecond;
        clock_.set(inicioDia_ + platform::clock::daysFromSeconds(t.seconds));
        const MedidorAfinacao::Leitura leitura = medidor_.timerTimer();
        t.peak = leitura.pico;
        t.desired = leitura.desejado;
        t.needle = painel_.angulo;
        t.centred = medidor_.centrado();
        t.tuned = painel_.afinadaVisivel;
        if (t.tuned && !result_.tunedAt) result_.tunedAt = t.seconds;
        ++result_.ticks;
        ++nextTick_;
        if (onTick_) onTick_(t);
    }

    MedidorAfinacao& medidor_;
    PainelPonteiroMemoria& painel_;
    platform::clock::ManualClock& clock_;
    double inicioDia_;
    const std::function<void(const TrackTick&)>& onTick_;
    long long nextTick_ = 1;
    long long frames_ = 0;
    long blocks_ = 0;
    long analysed_ = 0;
    bool outOfOrder_ = false;
    TrackResult result_;
};

}  // namespace

TrackResult trackFile(const std::filesystem::path& file, const TrackOptions& options,
                      const std::function<void(const TrackTick&)>& onTick) {
    if (options.note < 0 || options.note > 126)
        throw std::invalid_argument("note " + std::to_string(options.note) + " is outside 0 to 126");
    std::error_code error;
    if (!std::filesystem::exists(file, error)) throw TrackFileError(file.string() + ": no such file");
    if (!std::filesystem::is_regular_file(file, error))
        throw TrackFileError(file.string() + ": not a readable sound file");

    const Afinacao afinacao = Afinacao::criar("", "", {options.note});
    ::setenv("QUINDRAL_WAVEIN", file.c_str(), 1);
    platform::wavein::setFilePacing(false);
    platform::wavein::setFileLooping(false);

    TRecorder recorder;
    TFFT fft;
    captura_afinador::configurar(recorder, fft);

    const EspectroTFFT espectro(fft, kRate);
    PainelPonteiroMemoria painel;
    platform::clock::ManualClock clock(options.inicioDia);
    MedidorAfinacao medidor(espectro, painel, clock);
    medidor.definirAfinacao(&afinacao);
    medidor.definirCordaSelecionada(0);
    medidor.definirTipoSistema(options.tipoSistema);

    TickDriver driver(medidor, painel, clock, options.inicioDia, onTick);
    // Added after the analyser registered, so it takes a lower slot and is
    // told first.
    recorder.AddListener(makeAudioListener(&driver, &TickDriver::onRecorder));
    fft.AddListener(makeAudioListener(&driver, &TickDriver::onSpectrum));

    try {
        recorder.Start();
    } catch (const EInOutError&) {
        throw TrackFileError(file.string() + ": not a readable sound file");
    }

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        platform::wavein::HWAVEIN handle = recorder.Handle();
        if (handle && !platform::wavein::waveInSourceEnded(handle)) return;
        poll.stop();
        // Full blocks first; then the block begun last comes back with what
        // it holds, before the recorder's close would drop its report.
        deliverPosted();
        if (handle) platform::wavein::waveInStop(handle);
        deliverPosted();
        loop.quit();
    });
    poll.start();
    loop.exec();

    driver.finish();
    recorder.Stop();
    recorder.Close();
    if (driver.outOfOrder()) throw std::logic_error("ticks ran after the spectrum they should not see");
    return driver.result();
}
