#include "tuner/core/medidor_afinacao.h"

#include "platform/clock/manual_clock.h"
#include "tests/tuner_core/espectro_falso.h"
#include "tunings/afinacao.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double kUmBin = 10.0 * 11025.0 / 16384.0;  // degrees per bin at the analyser's real size

// A tuning whose target frequencies are given directly (for exact bin positions).
Afinacao afinacaoCom(std::vector<double> frequencias) {
    const auto n = static_cast<std::int32_t>(frequencias.size());
    return Afinacao("Teste", "", n, std::vector<std::string>(frequencias.size(), "X"),
                    std::vector<std::int32_t>(frequencias.size(), 69), std::move(frequencias));
}

struct Bancada {
    explicit Bancada(const Afinacao& afinacao, double taxa = 11025.0, int n = 16384)
        : espectro(taxa, n), medidor(espectro, painel, relogio) {
        medidor.definirAfinacao(&afinacao);
    }
    // One timer tick, `segundos` after the previous one.
    MedidorAfinacao::Leitura tick(double segundos = 0.05) {
        relogio.advance(segundos);
        return medidor.timerTimer();
    }

    EspectroFalso espectro;
    PainelPonteiroMemoria painel;
    platform::clock::ManualClock relogio{0.5};
    MedidorAfinacao medidor;
};

TEST(MedidorAfinacao, InTuneStringSettlesAtCentreThenOkThenTunedAfterTheHold) {
    const Afinacao guitarra = Afinacao::criar("Violao", "", {40, 45, 50, 55, 59, 64});
    Bancada b(guitarra);
    b.medidor.definirCordaSelecionada(1);  // A2, 110 Hz
    b.espectro.tom(b.espectro.binMaisProximo(110.0));
    b.painel.angulo = 30.0;

    std::optional<int> entrada;
    for (int k = 0; k < 200 && !entrada; ++k) {
        const auto leitura = b.tick();
        ASSERT_TRUE(leitura.medida);
        EXPECT_NEAR(leitura.desejado, 0.0, 1e-9);
        if (b.medidor.centrado()) entrada = k;
        else EXPECT_GE(std::fabs(b.painel.angulo), 1.0);
    }
    ASSERT_TRUE(entrada);
    EXPECT_EQ(*entrada, 11);  // 30 * 0.75^12 is the first angle below 1: the 12th tick
    EXPECT_FALSE(b.painel.okAmarelo) << "the first centred tick leaves the label colours alone";
    EXPECT_FALSE(b.painel.afinadaVisivel);

    b.tick();
    EXPECT_TRUE(b.painel.okAmarelo);
    // Ticks 2..24 after entering: up to exactly 1.2 s, not yet tuned.
    for (int k = 2; k <= 24; ++k) {
        b.tick();
        EXPECT_FALSE(b.painel.afinadaVisivel) << "tick " << k << " after entering the centre";
    }
    b.tick();  // 1.25 s
    EXPECT_TRUE(b.painel.afinadaVisivel);
    EXPECT_TRUE(b.painel.okAmarelo);
    EXPECT_LT(std::fabs(b.painel.angulo), 1e-3);

    // Leaving the centre clears all of it.
    b.espectro.tom(b.espectro.binMaisProximo(110.0) + 3);
    b.tick();
    EXPECT_FALSE(b.medidor.centrado());
    EXPECT_FALSE(b.painel.afinadaVisivel);
    EXPECT_FALSE(b.painel.okAmarelo);
}

struct CasoDesvio {
    int tipoSistema;
    int binsDoPico;  // peak position relative to the target's bin
    double desejado;
};

TEST(MedidorAfinacao, DesiredAngleIsTenDegreesPerHertzFromTheTargetsBin) {
    const Afinacao baixo = Afinacao::criar("Baixo", "", {28, 33, 38, 43});
    const std::vector<CasoDesvio> casos = {
        {0, 0, 0.0},      {0, +1, -kUmBin}, {0, -1, +kUmBin}, {0, +3, -3 * kUmBin},
        {1, 0, -kUmBin},  {1, -1, 0.0},     {2, 0, +kUmBin},  {2, +1, 0.0},
        {5, 0, 0.0},      {-1, +1, -kUmBin},
    };
    for (int corda = 0; corda < 4; ++corda) {
        for (const CasoDesvio& c : casos) {
            Bancada b(baixo);
            b.medidor.definirCordaSelecionada(corda);
            b.medidor.definirTipoSistema(c.tipoSistema);
            b.espectro.tom(b.espectro.binMaisProximo(baixo.obterFrequencia(corda)) + c.binsDoPico);
            const auto leitura = b.tick();
            EXPECT_NEAR(leitura.desejado, c.desejado, 1e-9)
                << "string " << corda << ", tipoSistema " << c.tipoSistema << ", peak " << c.binsDoPico << " bins";
            EXPECT_NEAR(b.painel.angulo, c.desejado * 0.25, 1e-9);
        }
    }
}

// The analyser's bins are 11025 / 16384 Hz apart. Counting them 11025 / 16380
// apart puts the target one bin away from where an in-tune string's peak lands
// for G4 (392 Hz) and these other notes, so they would never show tuned.
TEST(MedidorAfinacao, InTuneNotesReadZeroAtTheAnalysersRealBinWidth) {
    for (const int nota : {28, 40, 45, 64, 67, 72, 75, 76, 78, 81, 82, 85, 86, 95}) {
        const Afinacao uma = Afinacao::criar("Uma", "", {nota});
        Bancada b(uma);
        const double alvo = uma.obterFrequencia(0);
        const int picoReal = b.espectro.binMaisProximo(alvo);  // where a pure tone peaks
        b.espectro.tom(picoReal);
        for (int k = 0; k < 60; ++k) EXPECT_NEAR(b.tick().desejado, 0.0, 1e-9) << "note " << nota;
        EXPECT_LT(std::fabs(b.painel.angulo), 1e-6) << "note " << nota;
        EXPECT_TRUE(b.painel.afinadaVisivel) << "note " << nota;
    }
    // The fixture does show the fault: 392 Hz lies in different bins under the two countings.
    const double g4 = Afinacao::criar("Uma", "", {67}).obterFrequencia(0);
    EXPECT_NE(std::lround(g4 / (11025.0 / 16384.0)), std::lround(g4 / (11025.0 / 16380.0)));
}

TEST(MedidorAfinacao, ClampSideComesFromTheAngleBeforeTheTick) {
    // Target exactly on a bin, so every desired angle is a whole number of bins.
    const double largura = 11025.0 / 16384.0;
    const Afinacao a4 = afinacaoCom({654 * largura});
    Bancada b(a4);
    const int alvo = 654;

    // Needle at 0, desired ≈ +397 (59 bins flat): new ≈ 99 -> -90, since 0 is not > 0.
    b.espectro.tom(alvo - 59);
    EXPECT_NEAR(b.tick().desejado, 59 * kUmBin, 1e-9);
    EXPECT_EQ(b.painel.angulo, -90.0);

    // From -90 it stays at -90 while desired >= 630 (94 bins: 632.5).
    b.espectro.tom(alvo - 94);
    for (int k = 0; k < 3; ++k) {
        b.tick();
        EXPECT_EQ(b.painel.angulo, -90.0);
    }
    // 93 bins: 625.8 < 630, so it swings across to -90 + 715.8 / 4.
    b.espectro.tom(alvo - 93);
    b.tick();
    EXPECT_NEAR(b.painel.angulo, -90.0 + (93 * kUmBin + 90.0) * 0.25, 1e-9);
    // Now positive: a further push past 90 keeps it at +90.
    b.tick();
    EXPECT_EQ(b.painel.angulo, 90.0);
    // Between -630 and 630 it moves normally again.
    b.espectro.tom(alvo);
    b.tick();
    EXPECT_NEAR(b.painel.angulo, 67.5, 1e-9);
    // A needle held at the centre is cleared by the clamp.
    b.painel.angulo = 0.0;
    b.tick();
    b.tick();
    ASSERT_TRUE(b.medidor.centrado());
    ASSERT_TRUE(b.painel.okAmarelo);
    b.espectro.limpar();  // silence: peak 0 Hz, desired far positive
    b.tick();
    EXPECT_EQ(b.painel.angulo, -90.0);
    EXPECT_FALSE(b.medidor.centrado());
    EXPECT_FALSE(b.painel.okAmarelo);
}

TEST(MedidorAfinacao, CentreZoneIsStrictlyInsideOneDegree) {
    // 2048 Hz over 16384 points: bins of 1/8 Hz, 1.25 degrees, all exact.
    const Afinacao a4 = afinacaoCom({440.0});
    const int alvo = 3520;
    struct Caso {
        double antes;
        int binsDoPico;
        bool dentro;
    };
    // new = antes + (desired - antes) / 4, desired = -1.25 per bin above.
    for (const Caso& c : {Caso{0.5, -2, false}, Caso{-0.5, +2, false}, Caso{0.498, -2, true},
                          Caso{-0.498, +2, true}, Caso{0.0, 0, true}}) {
        Bancada b(a4, 2048.0);
        b.espectro.tom(alvo);
        b.tick();
        ASSERT_TRUE(b.medidor.centrado());
        b.painel.angulo = c.antes;
        b.espectro.tom(alvo + c.binsDoPico);
        b.tick();
        EXPECT_EQ(b.medidor.centrado(), c.dentro) << "new angle " << b.painel.angulo;
        EXPECT_EQ(b.painel.okAmarelo, c.dentro) << "new angle " << b.painel.angulo;
    }
}

TEST(MedidorAfinacao, EleventhLateTickInARowSwitchesDoubleBufferingOffForGood) {
    const Afinacao a4 = Afinacao::criar("Uma", "", {69});
    Bancada b(a4);
    b.tick();  // first tick: only remembers the time
    for (int k = 1; k <= 10; ++k) b.tick(0.2);
    EXPECT_EQ(b.medidor.ticksLentos(), 10);
    EXPECT_TRUE(b.painel.doubleBuffering);

    b.tick(0.05);  // punctual: starts the count again
    EXPECT_EQ(b.medidor.ticksLentos(), 0);
    for (int k = 1; k <= 10; ++k) b.tick(0.2);
    EXPECT_TRUE(b.painel.doubleBuffering);
    b.tick(0.2);
    EXPECT_FALSE(b.painel.doubleBuffering);
    EXPECT_FALSE(b.medidor.verificandoDoubleBuffer());

    // One-way: punctual ticks later change nothing, the count stays where it was.
    b.painel.doubleBuffering = true;  // would be switched off again if the check ran
    for (int k = 0; k < 20; ++k) b.tick(k % 2 ? 0.05 : 0.3);
    EXPECT_TRUE(b.painel.doubleBuffering);
    EXPECT_EQ(b.medidor.ticksLentos(), 11);
}

TEST(MedidorAfinacao, LateMeansMoreThan164MillisecondsAfterThePreviousTick) {
    const Afinacao a4 = Afinacao::criar("Uma", "", {69});
    Bancada b(a4);
    b.tick();
    b.tick(0.164);
    EXPECT_EQ(b.medidor.ticksLentos(), 0);
    b.tick(0.1645);
    EXPECT_EQ(b.medidor.ticksLentos(), 1);
}

TEST(MedidorAfinacao, DoesNothingWhileTheSetupAssistantIsActive) {
    const Afinacao a4 = Afinacao::criar("Uma", "", {69});
    Bancada b(a4);
    bool assistente = false;
    b.medidor.definirAssistenteAtivo([&] { return assistente; });
    b.espectro.tom(b.espectro.binMaisProximo(440.0) + 4);
    b.tick();
    for (int k = 0; k < 5; ++k) b.tick(0.2);
    ASSERT_EQ(b.medidor.ticksLentos(), 5);
    const double angulo = b.painel.angulo;

    assistente = true;
    for (int k = 0; k < 10; ++k) EXPECT_FALSE(b.tick(0.2).medida);
    EXPECT_EQ(b.painel.angulo, angulo);
    EXPECT_EQ(b.medidor.ticksLentos(), 5);
    EXPECT_TRUE(b.painel.doubleBuffering);

    assistente = false;
    EXPECT_TRUE(b.tick(0.05).medida);
    EXPECT_EQ(b.medidor.ticksLentos(), 6) << "measured from the last tick that ran: 2.05 s, late";
}

TEST(MedidorAfinacao, OnlyTheSelectedStringsBandIsSearched) {
    // E2 82.4 Hz (band 64.1..100.7) and G2 98 Hz (band 76.2..119.8) overlap.
    const Afinacao duas = Afinacao::criar("Duas", "", {40, 43});
    Bancada b(duas);
    const int emMi = b.espectro.binMaisProximo(70.0);     // E2's band only
    const int emAmbas = b.espectro.binMaisProximo(90.0);  // both bands
    const int emSol = b.espectro.binMaisProximo(110.0);   // G2's band only
    b.espectro.definir(emMi, 5.0);
    b.espectro.definir(emAmbas, 10.0);
    b.espectro.definir(emSol, 20.0);
    b.espectro.definir(b.espectro.binMaisProximo(300.0), 1000.0);  // outside both

    const double largura = b.espectro.largura();
    b.medidor.definirCordaSelecionada(0);
    EXPECT_DOUBLE_EQ(b.medidor.frequenciaPico(), emAmbas * largura);
    b.medidor.definirCordaSelecionada(1);
    EXPECT_DOUBLE_EQ(b.medidor.frequenciaPico(), emSol * largura);

    // Ties go to the lowest bin; a silent band reads 0 Hz.
    b.espectro.definir(emAmbas, 20.0);
    EXPECT_DOUBLE_EQ(b.medidor.frequenciaPico(), emAmbas * largura);
    b.espectro.limpar();
    b.espectro.definir(b.espectro.binMaisProximo(300.0), 1000.0);
    EXPECT_EQ(b.medidor.frequenciaPico(), 0.0);
}

TEST(MedidorAfinacao, NearestBinOfTheTarget) {
    const double largura = 11025.0 / 16384.0;
    // Halfway between bins 100 and 101: the lower bin, half a bin of correction.
    const Afinacao meio = afinacaoCom({100.5 * largura, 8191 * largura + 50.0});
    Bancada b(meio);
    EXPECT_DOUBLE_EQ(b.medidor.correcao(0), largura / 2);
    b.espectro.tom(100);
    EXPECT_NEAR(b.tick().desejado, 0.0, 1e-9);
    b.espectro.tom(101);
    EXPECT_NEAR(b.tick().desejado, -kUmBin, 1e-9);
    // A target above the last searched bin is measured from that bin.
    EXPECT_NEAR(b.medidor.correcao(1), 50.0, 1e-9);
}

TEST(MedidorAfinacao, TuningsWithMoreThanSixStringsAreMeasuredOnEveryString) {
    const Afinacao sete = Afinacao::criar("Sete", "", {35, 40, 45, 50, 55, 59, 64});
    Bancada b(sete);
    b.medidor.definirCordaSelecionada(6);
    b.espectro.tom(b.espectro.binMaisProximo(sete.obterFrequencia(6)) + 1);
    EXPECT_NEAR(b.tick().desejado, -kUmBin, 1e-9);
}

TEST(MedidorAfinacao, WithoutATuningOrAValidStringOnlyTheRegularityCheckRuns) {
    Bancada semAfinacao(Afinacao::criar("Uma", "", {69}));
    semAfinacao.medidor.definirAfinacao(nullptr);
    semAfinacao.painel.angulo = 12.0;
    semAfinacao.tick();
    EXPECT_FALSE(semAfinacao.tick(0.3).medida);
    EXPECT_EQ(semAfinacao.painel.angulo, 12.0);
    EXPECT_EQ(semAfinacao.medidor.ticksLentos(), 1);

    const Afinacao uma = Afinacao::criar("Uma", "", {69});
    for (const int corda : {-1, 1, 6}) {
        Bancada b(uma);
        b.medidor.definirCordaSelecionada(corda);
        b.espectro.tom(b.espectro.binMaisProximo(440.0));
        EXPECT_FALSE(b.tick().medida) << "string " << corda;
        EXPECT_EQ(b.medidor.frequenciaPico(), 0.0);
        EXPECT_EQ(b.painel.angulo, 0.0);
    }
}

TEST(MedidorAfinacao, MidnightCountsAsAPunctualTickAndRestartsTheCentreHold) {
    const Afinacao a4 = Afinacao::criar("Uma", "", {69});
    const double antesDaMeiaNoite = 1.0 - platform::clock::daysFromSeconds(2.05);
    {
        Bancada b(a4);
        b.relogio.set(antesDaMeiaNoite);
        b.tick(0.0);
        for (int k = 0; k < 10; ++k) b.tick(0.2);
        ASSERT_EQ(b.medidor.ticksLentos(), 10);
        b.tick(0.2);  // 00:00:00.15: a negative interval
        EXPECT_EQ(b.medidor.ticksLentos(), 0);
        EXPECT_TRUE(b.painel.doubleBuffering);
    }
    {
        // The needle enters the centre half a second before midnight and
        // stays: the hold reads a negative time and never completes...
        Bancada b(a4);
        b.espectro.tom(b.espectro.binMaisProximo(440.0));
        b.relogio.set(1.0 - platform::clock::daysFromSeconds(0.5));
        b.tick(0.0);
        ASSERT_TRUE(b.medidor.centrado());
        for (int k = 0; k < 60; ++k) b.tick();
        EXPECT_TRUE(b.painel.okAmarelo);
        EXPECT_FALSE(b.painel.afinadaVisivel);
        // ...until the needle leaves and enters again.
        b.espectro.tom(b.espectro.binMaisProximo(440.0) + 2);
        b.tick();
        ASSERT_FALSE(b.medidor.centrado());
        b.espectro.tom(b.espectro.binMaisProximo(440.0));
        for (int k = 0; k < 40; ++k) b.tick();
        EXPECT_TRUE(b.painel.afinadaVisivel);
    }
}

TEST(MedidorAfinacao, CorrectionsFollowTheAnalysersSizeWhenItChanges) {
    const Afinacao a4 = Afinacao::criar("Uma", "", {69});
    EspectroFalso pequeno(11025.0, 1024);
    EspectroFalso grande(11025.0, 16384);
    // An analyser that reports its final size only after the corrections were first made.
    struct Redimensionado : Espectro {
        const Espectro* atual;
        int tamanho() const override { return atual->tamanho(); }
        double taxaAmostragem() const override { return atual->taxaAmostragem(); }
        double magnitude(int i) const override { return atual->magnitude(i); }
    } espectro;
    espectro.atual = &pequeno;
    PainelPonteiroMemoria painel;
    platform::clock::ManualClock relogio;
    MedidorAfinacao medidor(espectro, painel, relogio);
    medidor.definirAfinacao(&a4);

    espectro.atual = &grande;
    grande.tom(grande.binMaisProximo(440.0));
    EXPECT_NEAR(medidor.timerTimer().desejado, 0.0, 1e-9);
}

}  // namespace
