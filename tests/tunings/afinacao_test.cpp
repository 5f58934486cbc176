#include "tunings/afinacao.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tunings/nota.h"

namespace {

Afinacao umaCorda(double frequencia) {
    return Afinacao("X", "", 1, {"A"}, {69}, {frequencia});
}

TEST(NotaTest, FrequencyAndNameFollowEqualTemperament) {
    EXPECT_EQ(nota::frequencia(69), 440.0);  // exact, not merely close
    EXPECT_STREQ(nota::nome(69), "A");
    EXPECT_NEAR(nota::frequencia(0), 8.1758, 1e-4);
    EXPECT_STREQ(nota::nome(0), "C");
    EXPECT_DOUBLE_EQ(nota::frequencia(126), 13.75 * std::pow(2.0, 117.0 / 12.0));
    EXPECT_STREQ(nota::nome(126), "F#");
    EXPECT_NEAR(nota::frequencia(40), 82.4069, 1e-4);
    EXPECT_EQ(nota::frequencia(45), 110.0);
    EXPECT_STREQ(nota::nome(60), "C");
}

TEST(AfinacaoTest, CriarDerivesNamesAndFrequenciesPerString) {
    const Afinacao a = Afinacao::criar("Guitar", "Std", {40, 52, 69});
    ASSERT_EQ(a.obterNumeroCordas(), 3);
    // Same note an octave apart: same name, double the frequency.
    EXPECT_EQ(a.obterNomeCorda(0), "E");
    EXPECT_EQ(a.obterNomeCorda(1), "E");
    EXPECT_DOUBLE_EQ(a.obterFrequencia(1), 2.0 * a.obterFrequencia(0));
    EXPECT_EQ(a.obterNotaMIDI(2), 69);
    EXPECT_EQ(a.obterFrequencia(2), 440.0);
}

struct Banda {
    double frequencia;
    int fora_abaixo, primeira_dentro, ultima_dentro, fora_acima;
};

class BandaTest : public ::testing::TestWithParam<Banda> {};

TEST_P(BandaTest, BothEdgesBelongToTheBand) {
    const Banda b = GetParam();
    const Afinacao a = umaCorda(b.frequencia);
    EXPECT_FALSE(a.pertenceACorda(b.fora_abaixo, 0));
    EXPECT_TRUE(a.pertenceACorda(b.primeira_dentro, 0));
    EXPECT_TRUE(a.pertenceACorda(b.ultima_dentro, 0));
    EXPECT_FALSE(a.pertenceACorda(b.fora_acima, 0));
}

INSTANTIATE_TEST_SUITE_P(Frequencias, BandaTest,
                         ::testing::Values(Banda{440.0, 342, 343, 537, 538},
                                           Banda{nota::frequencia(40), 64, 65, 100, 101},
                                           // 7/9 and 11/9 of 9 Hz are whole: the edges themselves.
                                           Banda{9.0, 6, 7, 11, 12},
                                           Banda{90.0, 69, 70, 110, 111}),
                         [](const ::testing::TestParamInfo<Banda>& info) {
                             return "F" + std::to_string(static_cast<int>(info.param.frequencia));
                         });

TEST(AfinacaoTest, BandOfEachStringIsItsOwn) {
    const Afinacao a = Afinacao::criar("Bass", "", {28, 69});
    EXPECT_TRUE(a.pertenceACorda(440, 1));
    EXPECT_FALSE(a.pertenceACorda(440, 0));
    EXPECT_TRUE(a.pertenceACorda(41, 0));
}

TEST(AfinacaoTest, Description) {
    struct Caso {
        const char* instrumento;
        const char* tipo;
        std::vector<std::int32_t> notas;
        const char* descricao;
    };
    const Caso casos[] = {
        {"Bass", "", {28, 33, 38, 43}, "Bass - E, A, D, G"},
        {"Guitar", "Drop D", {38, 45, 50, 55, 59, 64}, "Guitar (Drop D) - D, A, D, G, B, E"},
        {"Mono", "", {61}, "Mono - C#"},
        {"Mono", "T", {61}, "Mono (T) - C#"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(Afinacao::criar(c.instrumento, c.tipo, c.notas).obterDescricao(), c.descricao);
    }
}

TEST(AfinacaoTest, SettersReplaceTextsAndDescriptionFollows) {
    Afinacao a = Afinacao::criar("#gtr", "#std", {40});
    a.definirInstrumento("Guitar");
    a.definirTipoAfinacao("");
    EXPECT_EQ(a.obterInstrumento(), "Guitar");
    EXPECT_EQ(a.obterTipoAfinacao(), "");
    EXPECT_EQ(a.obterDescricao(), "Guitar - E");
}

}  // namespace
