#include "tunings/gerenciador_afinacoes.h"

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/tunings/fixture.h"

namespace {

const char* const tres =
    "<Afinacoes>"
    "<Afinacao><instrumento>Zero</instrumento><numeroCordas>1</numeroCordas><frequenciasMIDI><n>40</n></frequenciasMIDI></Afinacao>"
    "<Afinacao><instrumento>One</instrumento><numeroCordas>1</numeroCordas><frequenciasMIDI><n>45</n></frequenciasMIDI></Afinacao>"
    "<Afinacao><instrumento>Two</instrumento><numeroCordas>1</numeroCordas><frequenciasMIDI><n>50</n></frequenciasMIDI></Afinacao>"
    "</Afinacoes>";

using CatalogoTest = PastaTemporaria;

TEST_F(CatalogoTest, LoadMakesTheFirstTuningCurrent) {
    escrever(tres);
    GerenciadorAfinacoes c(leitor_, pasta_ / "Afinacoes.xml");
    EXPECT_EQ(c.obterQuantidade(), 0);
    EXPECT_EQ(c.obterIndiceAtual(), 0);
    c.carregar();
    EXPECT_EQ(c.obterQuantidade(), 3);
    EXPECT_EQ(c.obterIndiceAtual(), 0);
    EXPECT_EQ(c.obterAfinacaoAtual().obterInstrumento(), "Zero");
    EXPECT_EQ(c.obterAfinacao(2).obterInstrumento(), "Two");
}

TEST_F(CatalogoTest, OutOfRangeIndexesMeanTheFirstTuning) {
    escrever(tres);
    GerenciadorAfinacoes c(leitor_, pasta_ / "Afinacoes.xml");
    c.carregar();
    struct Caso {
        std::int32_t pedido, atual;
    };
    for (const Caso k : {Caso{2, 2}, Caso{5, 0}, Caso{1, 1}, Caso{-1, 0}, Caso{3, 0}, Caso{INT32_MIN, 0}}) {
        c.selecionarAfinacao(k.pedido);
        EXPECT_EQ(c.obterIndiceAtual(), k.atual) << k.pedido;
        EXPECT_EQ(&c.obterAfinacaoAtual(), &c.obterAfinacao(k.atual));
    }
    EXPECT_EQ(c.obterAfinacao(3).obterInstrumento(), "Zero");
    EXPECT_EQ(c.obterAfinacao(-1).obterInstrumento(), "Zero");
    EXPECT_EQ(c.obterAfinacao(INT32_MAX).obterInstrumento(), "Zero");
}

TEST_F(CatalogoTest, FileWithoutValidTuningRaisesPlainException) {
    escrever("<Afinacoes><Afinacao><numeroCordas>2</numeroCordas><frequenciasMIDI><n>40</n></frequenciasMIDI>"
             "</Afinacao></Afinacoes>");
    GerenciadorAfinacoes c(leitor_, pasta_ / "Afinacoes.xml");
    try {
        c.carregar();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.className(), "Exception");
        EXPECT_EQ(e.message(), "");
    }
    EXPECT_EQ(c.obterQuantidade(), 0);
    // Nothing to hand out, and asking must not crash.
    EXPECT_THROW(c.obterAfinacaoAtual(), EListError);
}

TEST_F(CatalogoTest, ReaderFailuresPassThroughAndChangeNothing) {
    const auto caminho = escrever(tres);
    GerenciadorAfinacoes c(leitor_, caminho);
    c.carregar();
    c.selecionarAfinacao(2);

    escrever("<Afinacoes><Afinacao><numeroCordas>one</numeroCordas></Afinacao></Afinacoes>");
    EXPECT_THROW(c.carregar(), EConvertError);
    std::filesystem::remove(caminho);
    EXPECT_THROW(c.carregar(), EFOpenError);

    EXPECT_EQ(c.obterQuantidade(), 3);
    EXPECT_EQ(c.obterIndiceAtual(), 2);
}

}  // namespace
