#pragma once
// MedidorAfinacao: the tuner's measuring loop, run by the main window's 50 ms
// timer (timerTimer delegates here).
//
// Each tick finds the strongest bin of the spectrum inside the band of the
// selected string (7/9 to 11/9 of its target), optionally shifts it by one
// bin (tipoSistema), and turns its distance from the bin nearest the target
// into a desired needle angle: 10 degrees per hertz, positive when the string
// is flat (one bin ≈ 6.73 degrees at 11025 Hz / 16384 points). The needle
// moves a quarter of the way there per tick and is clamped to ±90 degrees.
// When it has stayed inside (-1, 1) degrees for more than 1.2 s the tuned
// indication shows.
//
// Bin arithmetic uses the analyser's actual transform size N: bin width =
// rate / N, bins 0..N/2-1 searched, corrections over the same bins.
//
// Regularity: while the check is on, a tick more than 1.9e-6 of a day
// (164.16 ms) after the previous one counts as late; the eleventh late tick
// in a row switches the panel's double buffering off for good, a punctual
// tick resets the count. A tick interval across midnight is negative and so
// counts as punctual; a centre hold across midnight completes only after the
// needle has left the centre and entered it again.
//
// Nothing here is reset when the tuning or the string changes: the needle's
// move away from the centre clears the tuned state on its own.

#include "tuner/core/espectro.h"
#include "tuner/core/painel_ponteiro.h"

#include <functional>
#include <vector>

class Afinacao;

namespace platform::clock {
class Clock;
}

class MedidorAfinacao {
public:
    // Hold before the tuned indication and late-tick threshold, fractions of a day.
    static constexpr double kTempoAfinado = 1.2 / 86400.0;
    static constexpr double kLimiteTickLento = 1.9e-6;
    static constexpr int kMaximoTicksLentos = 10;
    static constexpr double kGrausPorHertz = 10.0;
    static constexpr double kSuavizacao = 0.25;
    static constexpr double kAnguloMaximo = 90.0;

    // What one tick measured; `medida` is false when the tick stopped before
    // measuring (setup assistant active, no tuning, no such string).
    struct Leitura {
        bool medida = false;
        double pico = 0.0;      // Hz, after the tipoSistema shift
        double desejado = 0.0;  // degrees, before smoothing and clamp
    };

    // All three are borrowed and must outlive the loop.
    MedidorAfinacao(const Espectro& espectro, PainelPonteiro& painel, platform::clock::Clock& relogio);

    // The tick does nothing at all while this answers true (the setup
    // assistant is the active window). Empty: never.
    void definirAssistenteAtivo(std::function<bool()> assistenteAtivo);
    // The current tuning (borrowed; may be null: ticks then only check
    // regularity). Recomputes the corrections.
    void definirAfinacao(const Afinacao* afinacao);
    // 0-based index into the current tuning; one out of range measures nothing.
    void definirCordaSelecionada(int corda) { cordaSelecionada_ = corda; }
    // 1: measured frequency + one bin width; 2: minus one; other: unchanged.
    void definirTipoSistema(int tipoSistema) { tipoSistema_ = tipoSistema; }

    // Per string of the current tuning: target minus the frequency of the
    // nearest searched bin, Hz (halfway: the lower bin; above the last bin:
    // distance to the last bin). Also redone by a tick when N has changed.
    void calcularCorrecoes();
    // Frequency (Hz) of the strongest bin whose whole-hertz frequency lies in
    // the selected string's band; ties to the lowest bin; 0 when none is
    // above 0 or nothing is selected.
    double frequenciaPico() const;
    // One timer tick.
    Leitura timerTimer();

    double correcao(int corda) const;  // Hz; 0 for a string without one
    double larguraBin() const;         // Hz; 0 while N < 2
    int cordaSelecionada() const { return cordaSelecionada_; }
    int tipoSistema() const { return tipoSistema_; }
    bool centrado() const { return centrado_; }
    bool verificandoDoubleBuffer() const { return verificandoDoubleBuffer_; }
    int ticksLentos() const { return ticksLentos_; }

private:
    bool cordaValida() const;
    void verificarRegularidade(double agora);
    void limparAfinada();

    const Espectro& espectro_;
    PainelPonteiro& painel_;
    platform::clock::Clock& relogio_;
    std::function<bool()> assistenteAtivo_;

    const Afinacao* afinacao_ = nullptr;
    int cordaSelecionada_ = 0;
    int tipoSistema_ = 0;
    std::vector<double> correcoes_;  // one per string of the tuning
    int tamanhoCorrecoes_ = 0;       // N the corrections were computed for

    bool verificandoDoubleBuffer_ = true;
    double ultimoTick_ = 0.0;  // 0: none yet
    int ticksLentos_ = 0;
    bool centrado_ = false;
    double inicioCentrado_ = 0.0;
};
