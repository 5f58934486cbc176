// The language files the build puts in the application folder: both are
// found, and each carries every text and picture the windows read.

#include <gtest/gtest.h>

#include <algorithm>

#include "i18n/gerenciador_idiomas.h"
#include "i18n/suporte.h"
#include "tests/i18n/fixture.h"

namespace {

const std::string kPasta = QUINDRAL_APP_DIR "/";

struct Texto {
    const char* secao;
    const char* chave;
};

const Texto kTextos[] = {
    {"geral", "tituloAplicacao"}, {"geral", "nomeAplicacao"}, {"geral", "tituloAtencao"},
    {"geral", "erroGeral"}, {"geral", "erroPPP"}, {"geral", "erroAbrirNavegador"},
    {"parametros", "caminhoAjuda"}, {"parametros", "urlZelmora"},
    {"fmPrincipal", "lblTextoCorda"}, {"fmPrincipal", "lblTextoPonteiro"}, {"fmPrincipal", "lblCordaAfinada"},
    {"fmPrincipal", "hintBtnMinimizar"}, {"fmPrincipal", "hintBtnAjuda"}, {"fmPrincipal", "hintBtnSair"},
    {"fmPrincipal", "hintBtnProxima"}, {"fmPrincipal", "hintBtnAssistente"}, {"fmPrincipal", "hintBtnAfinacoes"},
    {"fmPrincipal", "hintLinkZelmora"}, {"fmPrincipal", "hintImgCorda"}, {"fmPrincipal", "lblCordaSelecionada"},
    {"fmPrincipal", "erroAbrirXML"}, {"fmPrincipal", "erroXML"}, {"fmPrincipal", "erroAbrirAjuda"},
    {"fmPrincipal", "erroIOOcupado"}, {"fmPrincipal", "erroIODriver"}, {"fmPrincipal", "erroIOMemoria"},
    {"fmPrincipal", "erroIOSO"},
    {"fmAssistente", "lblTextoTab0"}, {"fmAssistente", "lblTextoTab1"}, {"fmAssistente", "lblTexto1Tab2"},
    {"fmAssistente", "lblTexto2Tab2"}, {"fmAssistente", "lblTextoTab3"}, {"fmAssistente", "lblTextoTab4"},
    {"fmAssistente", "erroAbrirConfiguracoes"},
    {"fmAfinacoes", "lblSelecione"},
};

struct Imagem {
    const char* secao;
    const char* chave;
    int largura, altura;  // the control that shows it
};

const Imagem kImagens[] = {
    {"fmPrincipal", "imgTitulo", 345, 59}, {"fmPrincipal", "imgLink", 182, 15},
    {"fmPrincipal", "imgFundoPonteiro", 163, 124}, {"fmPrincipal", "imgBtnProximaCorda", 80, 24},
    {"fmPrincipal", "imgBtnAssistente", 121, 25}, {"fmPrincipal", "imgBtnAssistenteI", 121, 25},
    {"fmPrincipal", "imgBtnAfinacoes", 121, 25}, {"fmPrincipal", "imgBtnAfinacoesI", 121, 25},
    {"fmAssistente", "imgFundo", 379, 273},
    {"fmAssistente", "imgBtnAnterior", 91, 25}, {"fmAssistente", "imgBtnAnteriorI", 91, 25},
    {"fmAssistente", "imgBtnProximo", 89, 25}, {"fmAssistente", "imgBtnProximoI", 89, 25},
    {"fmAssistente", "imgBtnConfiguracoes", 130, 25}, {"fmAssistente", "imgBtnConfiguracoesI", 130, 25},
    {"fmAfinacoes", "imgBtnOk", 88, 20}, {"fmAfinacoes", "imgBtnOkI", 88, 20},
    {"fmAfinacoes", "imgBtnCancelar", 88, 20}, {"fmAfinacoes", "imgBtnCancelarI", 88, 20},
    {"fmEntrada", "imgEntrada", 250, 250},
};

TEST(ArquivosIdioma, BothLanguagesAreDiscovered) {
    teste_idiomas::Janela janela;
    GerenciadorIdiomas g(kPasta, janela.ganchos());
    auto nomes = g.obterNomesIdiomas();
    std::sort(nomes.begin(), nomes.end());
    EXPECT_EQ(nomes, (std::vector<std::string>{"English", "Portugu\xEAs (Brasil)"}));
    EXPECT_TRUE(janela.mensagens.empty());
}

class Completo : public ::testing::TestWithParam<const char*> {};

TEST_P(Completo, EveryTextAndPictureIsThere) {
    const std::string stem = GetParam();
    std::vector<std::string> avisos;
    const Idioma idioma(kPasta, stem + ".idm", stem + ".dat",
                        [&](const std::string& t, const std::string&) { avisos.push_back(t); });
    EXPECT_FALSE(idioma.obterNomeIdioma().empty());
    for (const auto& t : kTextos)
        EXPECT_FALSE(idioma.obterTexto(t.secao, t.chave).empty()) << t.secao << "/" << t.chave;
    for (const auto& i : kImagens) {
        const auto imagem = idioma.obterImagem(i.secao, i.chave);
        ASSERT_NE(imagem, nullptr) << i.secao << "/" << i.chave;
        EXPECT_EQ(imagem->width, i.largura) << i.chave;
        EXPECT_EQ(imagem->height, i.altura) << i.chave;
    }
    EXPECT_TRUE(avisos.empty());
    // Texts are plain Windows-1252, the support address filled in.
    EXPECT_NE(idioma.obterTexto("geral", "erroGeral").find(kEmailSuporte), std::string::npos);
    EXPECT_EQ(idioma.obterTexto("geral", "erroGeral").find('{'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Idiomas, Completo, ::testing::Values("English", "Portugues"));

}  // namespace
