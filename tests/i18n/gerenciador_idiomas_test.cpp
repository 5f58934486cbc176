#include "i18n/gerenciador_idiomas.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/mensagens.h"
#include "platform/core/exceptions.h"
#include "tests/i18n/fixture.h"

namespace {

using teste_idiomas::idm;
using teste_idiomas::Janela;
using teste_idiomas::PastaTemporaria;
namespace msg = mensagens_idioma;

std::vector<std::string> ordenados(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(Descoberta, AcceptsOnlyUsableLanguageFiles) {
    PastaTemporaria pasta;
    struct {
        const char* arquivo;
        std::string conteudo;
        const char* nome;  // display name listed, or nullptr for rejected
    } casos[] = {
        {"Bom.idm", idm("Bom"), "Bom"},
        {"Minusculas.idm", "[especificacaoidioma]\r\nNOMEIDIOMA=Caixa\r\nCodAplicacao=Quindral 2.0\r\n", "Caixa"},
        {"Aspas.idm", idm("\"Citado\""), "Citado"},
        {"Brancos.idm", "[ EspecificacaoIdioma ]\r\n nomeIdioma = Solto \r\ncodAplicacao = Quindral 2.0 \r\n", "Solto"},
        {"SemNome.idm", idm(""), nullptr},
        {"CodigoCaixa.idm", idm("X", "", "quindral 2.0"), nullptr},
        {"CodigoPalavra.idm", idm("X", "", "Quindral 2.0 Beta"), nullptr},
        {"CodigoVelho.idm", idm("X", "", "Quindral 1.0"), nullptr},
        {"SemSecao.idm", "[geral]\r\nnomeIdioma=X\r\ncodAplicacao=Quindral 2.0\r\n", nullptr},
        {"Vazio.idm", "", nullptr},
        {"Outro.txt", idm("Texto"), nullptr},
        {".Oculto.idm", idm("Oculto"), nullptr},
    };
    std::vector<std::string> esperados;
    for (const auto& c : casos) {
        pasta.escrever(c.arquivo, c.conteudo);
        if (c.nome) esperados.push_back(c.nome);
    }
    std::filesystem::create_directory(pasta.caminho / "Pasta.idm");

    Janela janela;
    const GerenciadorIdiomas g(pasta.diretorio, janela.ganchos());
    EXPECT_EQ(ordenados(g.obterNomesIdiomas()), ordenados(esperados));
    ASSERT_EQ(g.obterArquivosIdiomas().size(), g.obterNomesIdiomas().size());
    for (std::size_t i = 0; i < g.obterNomesIdiomas().size(); ++i) {
        if (g.obterNomesIdiomas()[i] == "Citado") {
            EXPECT_EQ(g.obterArquivosIdiomas()[i], "Aspas");
        }
    }
    EXPECT_TRUE(janela.mensagens.empty());
    EXPECT_FALSE(janela.termino);
    EXPECT_FALSE(g.temIdioma());
    EXPECT_EQ(g.obterIndiceAtual(), -1);
    EXPECT_EQ(g.obterTexto("geral", "x"), "");
    EXPECT_EQ(g.obterImagem("geral", "x"), nullptr);
}

TEST(Descoberta, NoUsableFileShowsOneMessageAndEndsStartUp) {
    PastaTemporaria pasta;
    pasta.escrever("Ruim.idm", idm(""));
    Janela janela;
    GerenciadorIdiomas g(pasta.diretorio, janela.ganchos());
    ASSERT_EQ(janela.mensagens.size(), 1u);
    EXPECT_EQ(janela.mensagens[0].texto, msg::kNenhumArquivo);
    EXPECT_EQ(janela.mensagens[0].titulo, "Internationalization");
    EXPECT_TRUE(janela.termino);

    // Start-up still selects: the chooser closes at once, and the user has
    // read only the first message.
    EXPECT_EQ(g.selecionar(""), nullptr);
    EXPECT_EQ(janela.escolhas, 1);
    EXPECT_TRUE(janela.nomesMostrados.empty());
    EXPECT_EQ(janela.vistas(), std::vector<std::string>{msg::kNenhumArquivo});
    EXPECT_FALSE(g.temIdioma());
}

class Selecao : public ::testing::Test {
protected:
    void SetUp() override {
        pasta.escrever("English.idm", idm("English", "[geral]\r\nnomeAplicacao=Tuner\r\n"));
        pasta.escrever("Portugues.idm", idm("Portugu\xEAs (Brasil)", "[geral]\r\nnomeAplicacao=Afinador\r\n"));
        g = std::make_unique<GerenciadorIdiomas>(pasta.diretorio, janela.ganchos());
        ASSERT_EQ(g->obterNomesIdiomas().size(), 2u);
    }

    int indiceDe(const std::string& nome) const {
        const auto& n = g->obterNomesIdiomas();
        return static_cast<int>(std::find(n.begin(), n.end(), nome) - n.begin());
    }

    PastaTemporaria pasta;
    Janela janela;
    std::unique_ptr<GerenciadorIdiomas> g;
};

TEST_F(Selecao, StoredNameIsFoundInAnyLetterCase) {
    for (const char* nome : {"English", "ENGLISH", "english"}) {
        Janela j;
        GerenciadorIdiomas outro(pasta.diretorio, j.ganchos());
        Idioma* idioma = outro.selecionar(nome);
        ASSERT_NE(idioma, nullptr) << nome;
        EXPECT_EQ(idioma, outro.obterIdiomaAtual());
        EXPECT_EQ(outro.obterTexto("geral", "nomeAplicacao"), "Tuner");
        EXPECT_EQ(j.escolhas, 0);
        EXPECT_TRUE(j.mensagens.empty());
    }
    // Accented letters fold too.
    ASSERT_NE(g->selecionar("PORTUGU\xCAS (BRASIL)"), nullptr);
    EXPECT_EQ(g->obterTexto("geral", "nomeAplicacao"), "Afinador");
}

TEST_F(Selecao, UnknownNameOffersTheChooserAndLoadsTheChoice) {
    janela.resposta = indiceDe("Portugu\xEAs (Brasil)");
    Idioma* idioma = g->selecionar("");
    ASSERT_NE(idioma, nullptr);
    EXPECT_EQ(idioma->obterNomeIdioma(), "Portugu\xEAs (Brasil)");
    EXPECT_EQ(janela.vistas(), std::vector<std::string>{msg::kNaoEncontrado});
    EXPECT_EQ(janela.nomesMostrados, g->obterNomesIdiomas());
    EXPECT_EQ(janela.indiceMostrado, -1);
    EXPECT_EQ(g->obterIndiceAtual(), janela.resposta);
    EXPECT_FALSE(janela.termino);
}

TEST_F(Selecao, NothingChosenEndsStartUpWithOneExplanation) {
    janela.resposta = -1;
    EXPECT_EQ(g->selecionar("Klingon"), nullptr);
    EXPECT_EQ(janela.vistas(), (std::vector<std::string>{msg::kNaoEncontrado, msg::kNaoInicializada}));
    for (const auto& m : janela.mensagens) EXPECT_EQ(m.titulo, "Internationalization");
    EXPECT_TRUE(janela.termino);
    EXPECT_FALSE(g->temIdioma());
}

TEST_F(Selecao, ChooserAnswerPastTheListIsNoChoice) {
    janela.resposta = 5;
    EXPECT_FALSE(g->escolherNoDialogo());
    EXPECT_FALSE(g->temIdioma());
}

TEST_F(Selecao, LoadingTheCurrentIndexDoesNotReadAgain) {
    const int i = indiceDe("English");
    Idioma* primeiro = g->carregar(i);
    ASSERT_NE(primeiro, nullptr);
    std::filesystem::remove(pasta.caminho / "English.idm");
    EXPECT_EQ(g->carregar(i), primeiro);
    EXPECT_EQ(g->carregar(2), nullptr);
    EXPECT_EQ(g->carregar(-1), nullptr);
    EXPECT_EQ(g->obterIdiomaAtual(), primeiro);
}

TEST_F(Selecao, UnreadableFileLeavesTheCurrentLanguage) {
    Idioma* atual = g->carregar(indiceDe("English"));
    std::filesystem::remove(pasta.caminho / "Portugues.idm");
    EXPECT_THROW(g->carregar(indiceDe("Portugu\xEAs (Brasil)")), EFOpenError);
    EXPECT_EQ(g->obterIdiomaAtual(), atual);
    EXPECT_EQ(g->obterIndiceAtual(), indiceDe("English"));
}

TEST(Selecao2, SameDisplayNameTwiceUsesTheFirstDiscovered) {
    PastaTemporaria pasta;
    pasta.escrever("A.idm", idm("Igual", "[s]\r\nk=A\r\n"));
    pasta.escrever("B.idm", idm("igual", "[s]\r\nk=B\r\n"));
    Janela janela;
    GerenciadorIdiomas g(pasta.diretorio, janela.ganchos());
    ASSERT_EQ(g.obterNomesIdiomas().size(), 2u);
    ASSERT_NE(g.selecionar("IGUAL"), nullptr);
    EXPECT_EQ(g.obterIndiceAtual(), 0);
    EXPECT_EQ(g.obterTexto("s", "k"), g.obterArquivosIdiomas()[0]);
}

TEST(Selecao2, PicturesGoThroughTheCurrentLanguageWithItsMessageHook) {
    PastaTemporaria pasta;
    const auto jpeg = teste_idiomas::jpegDe(250, 250);
    pasta.escrever("E.dat", std::string(jpeg.begin(), jpeg.end()));
    pasta.escrever("E.idm", idm("E", "[fmEntrada]\r\nimgEntrada=0," + std::to_string(jpeg.size()) +
                                         "\r\nquebrada=0,1\r\n"));
    Janela janela;
    GerenciadorIdiomas g(pasta.diretorio, janela.ganchos());
    ASSERT_NE(g.selecionar("e"), nullptr);
    const auto imagem = g.obterImagem("fmEntrada", "imgEntrada");
    ASSERT_NE(imagem, nullptr);
    EXPECT_EQ(imagem->width, 250);
    EXPECT_EQ(g.obterImagem("fmEntrada", "quebrada"), nullptr);
    EXPECT_EQ(g.obterImagem("fmEntrada", "quebrada"), nullptr);
    ASSERT_EQ(janela.mensagens.size(), 1u);
    EXPECT_EQ(janela.mensagens[0].texto, msg::arquivoCorrompido());
}

}  // namespace
