#include "app/relatorio_erro.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "i18n/gerenciador_idiomas.h"
#include "platform/core/exceptions.h"
#include "tests/app/fixture.h"

namespace {

const std::string kComDetalhes =
    "An error has occurred in your application.\r\n"
    "If the problem persist, please contact us: suporte@zelmora.com.br.\r\n\r\nError information:";
const std::string kSemDetalhes =
    "An error has occurred in your application.\r\n"
    "If the problem persist, please contact us: suporte@zelmora.com.br.";

struct IdiomaCarregado {
    teste_app::PastaTemporaria pasta;
    std::unique_ptr<GerenciadorIdiomas> gerenciador;
    explicit IdiomaCarregado(bool carregar) {
        pasta.escrever("pt.idm", teste_app::idiomaPortugues());
        gerenciador = std::make_unique<GerenciadorIdiomas>(pasta.diretorio, GerenciadorIdiomas::Ganchos{});
        if (carregar) gerenciador->carregar(0);
    }
};

TEST(RelatorioErro, ComDetalhesNosQuatroCasos) {
    IdiomaCarregado comIdioma(true), semIdiomaAtual(false);
    const DetalhesFalha falha{"EListError", "List index out of bounds (7)"};
    struct Caso {
        const GerenciadorIdiomas* idiomas;
        std::string versao, texto, titulo;
    } casos[] = {
        {comIdioma.gerenciador.get(), "2.0.3.0",
         "Ocorreu um erro.\r\nContate-nos.\r\n\" EListError (List index out of bounds (7)), v2.0.3.0 \"",
         "Zelmora Quindral 2.0"},
        {comIdioma.gerenciador.get(), "",
         "Ocorreu um erro.\r\nContate-nos.\r\n\" EListError (List index out of bounds (7)) \"", "Zelmora Quindral 2.0"},
        {semIdiomaAtual.gerenciador.get(), "2.0.3.0",
         kComDetalhes + "\r\n\" EListError (List index out of bounds (7)), v2.0.3.0 \"", "Zelmora Quindral"},
        {nullptr, "", kComDetalhes + "\r\n\" EListError (List index out of bounds (7)) \"", "Zelmora Quindral"},
    };
    for (const Caso& c : casos) {
        const RelatorioErro r = montarRelatorio(falha, c.versao, c.idiomas);
        EXPECT_EQ(r.texto, c.texto);
        EXPECT_EQ(r.titulo, c.titulo);
    }
}

TEST(RelatorioErro, SemDetalhesIgnoraOIdioma) {
    RelatorioErro r = montarRelatorioSemDetalhes("2.0.3.0");
    EXPECT_EQ(r.texto, kSemDetalhes + "\r\n\r\nError information:\r\n\" v2.0.3.0 \"");
    EXPECT_EQ(r.titulo, "Zelmora Quindral");
    r = montarRelatorioSemDetalhes("");
    EXPECT_EQ(r.texto, kSemDetalhes);
    EXPECT_EQ(r.titulo, "Zelmora Quindral");
}

TEST(RelatorioErro, NomeDaClasseConcreta) {
    const auto de = [](auto falha) { return descreverFalha(std::make_exception_ptr(falha)); };

    auto d = de(EFOpenError("x.idm"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->nomeClasse, "EFOpenError");
    EXPECT_EQ(d->mensagem, "x.idm");

    d = de(EInOutError("", 4));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->nomeClasse, "EInOutError");
    EXPECT_EQ(d->mensagem, "");

    d = de(std::out_of_range("vector"));
    ASSERT_TRUE(d);
    EXPECT_EQ(d->nomeClasse, "std::out_of_range");
    EXPECT_EQ(d->mensagem, "vector");

    EXPECT_FALSE(de(42));
    EXPECT_FALSE(descreverFalha(nullptr));
}

}  // namespace
