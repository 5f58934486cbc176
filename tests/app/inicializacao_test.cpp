// The start-up sequence with recording services and a real language manager
// on a private folder; the manager's hooks behave as the window layer does
// (a message box or the chooser opened while termination is pending closes
// at once).
#include "app/inicializacao.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "i18n/gerenciador_idiomas.h"
#include "i18n/mensagens.h"
#include "platform/core/exceptions.h"
#include "tests/app/fixture.h"

namespace {

using ::testing::ElementsAre;

struct Programa {
    teste_app::PastaTemporaria pasta;
    std::vector<std::string> passos;
    std::string idiomaGuardado;
    int ppp = 96;
    int respostaEscolha = -1;
    bool termino = false;
    std::function<void()> aoCriarJanelas = [] {};
    std::string versao = "2.0.3.0";
    std::unique_ptr<GerenciadorIdiomas> gerenciador;

    // A message the user would have had to read, or one that closed at once.
    void mensagem(const std::string& texto, const std::string& titulo) {
        passos.push_back((termino ? "fechada: " : "mensagem: ") + titulo + " | " + texto);
    }

    ServicosInicializacao servicos() {
        ServicosInicializacao s;
        s.lerIdioma = [this] { passos.push_back("lerIdioma"); return idiomaGuardado; };
        s.idiomas = [this]() -> GerenciadorIdiomas& {
            if (!gerenciador) {
                GerenciadorIdiomas::Ganchos g;
                g.mostrarMensagem = [this](const std::string& t, const std::string& ti) { mensagem(t, ti); };
                g.solicitarTermino = [this] { termino = true; };
                g.terminoSolicitado = [this] { return termino; };
                g.escolher = [this](const std::vector<std::string>&, int) {
                    passos.push_back("escolher");
                    return termino ? -1 : respostaEscolha;
                };
                gerenciador = std::make_unique<GerenciadorIdiomas>(pasta.diretorio, g);
            }
            return *gerenciador;
        };
        s.pixelsPorPolegada = [this] { return ppp; };
        s.mostrarMensagem = [this](const std::string& t, const std::string& ti) { mensagem(t, ti); };
        s.mostrarSplash = [this] {
            passos.push_back("splash");
            return std::shared_ptr<void>(nullptr, [this](void*) { passos.push_back("splash fechado"); });
        };
        s.esperar = [this](std::chrono::milliseconds ms) { passos.push_back("esperar " + std::to_string(ms.count())); };
        s.definirTitulo = [this](const std::string& t) { passos.push_back("titulo '" + t + "'"); };
        s.criarJanelas = [this] {
            passos.push_back("janelas");
            aoCriarJanelas();
            return std::shared_ptr<void>(nullptr, [this](void*) { passos.push_back("janelas destruidas"); });
        };
        s.executarLaco = [this] { passos.push_back("laco"); };
        s.obterVersao = [this] { return versao; };
        return s;
    }

    int executar() { return executarInicializacao(servicos()); }
};

const std::string kTituloIdioma = mensagens_idioma::kTitulo;

TEST(Inicializacao, SequenciaCompletaA96PPP) {
    for (const std::string guardado : {"Portugues", "PORTUGUES"}) {
        Programa p;
        p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
        p.idiomaGuardado = guardado;
        EXPECT_EQ(p.executar(), 0);
        EXPECT_THAT(p.passos, ElementsAre("lerIdioma", "splash", "esperar 1000", "titulo ''", "janelas",
                                          "splash fechado", "laco", "janelas destruidas"));
    }
}

TEST(Inicializacao, AcimaDe96PPPSoAMensagem) {
    Programa p;
    p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    p.idiomaGuardado = "Portugues";
    p.ppp = 97;
    EXPECT_EQ(p.executar(), 0);
    EXPECT_THAT(p.passos, ElementsAre("lerIdioma", "mensagem: Zelmora Quindral 2.0 | Use 96 PPP."));
}

TEST(Inicializacao, SemArquivosDeIdiomaUmaSoMensagem) {
    Programa p;
    EXPECT_EQ(p.executar(), 0);
    EXPECT_THAT(p.passos,
                ElementsAre("lerIdioma", "mensagem: " + kTituloIdioma + " | " + mensagens_idioma::kNenhumArquivo,
                            "fechada: " + kTituloIdioma + " | " + mensagens_idioma::kNaoEncontrado, "escolher"));
}

TEST(Inicializacao, NomeNaoEncontradoEEscolhaCancelada) {
    Programa p;
    p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    p.idiomaGuardado = "Klingon";
    EXPECT_EQ(p.executar(), 0);
    EXPECT_THAT(p.passos,
                ElementsAre("lerIdioma", "mensagem: " + kTituloIdioma + " | " + mensagens_idioma::kNaoEncontrado,
                            "escolher", "mensagem: " + kTituloIdioma + " | " + mensagens_idioma::kNaoInicializada));
}

TEST(Inicializacao, NomeNaoEncontradoEIdiomaEscolhido) {
    Programa p;
    p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    p.respostaEscolha = 0;
    EXPECT_EQ(p.executar(), 0);
    EXPECT_THAT(p.passos, ElementsAre("lerIdioma", "mensagem: " + kTituloIdioma + " | " + mensagens_idioma::kNaoEncontrado,
                                      "escolher", "splash", "esperar 1000", "titulo ''", "janelas", "splash fechado",
                                      "laco", "janelas destruidas"));
}

// A failure while the windows are built: the splash is gone before the
// report shows, and nothing after the failing step runs.
TEST(Inicializacao, FalhaAoCriarJanelasERelatada) {
    struct Caso {
        std::function<void()> falha;
        std::string versao, mensagem;
    } casos[] = {
        {[] { throw EListError("List index out of bounds (3)"); }, "2.0.3.0",
         "mensagem: Zelmora Quindral 2.0 | Ocorreu um erro.\r\nContate-nos.\r\n"
         "\" EListError (List index out of bounds (3)), v2.0.3.0 \""},
        {[] { throw 42; }, "",
         "mensagem: Zelmora Quindral | An error has occurred in your application.\r\n"
         "If the problem persist, please contact us: suporte@zelmora.com.br."},
    };
    for (Caso& c : casos) {
        Programa p;
        p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
        p.idiomaGuardado = "Portugues";
        p.versao = c.versao;
        p.aoCriarJanelas = c.falha;
        EXPECT_EQ(p.executar(), 0);
        EXPECT_THAT(p.passos, ElementsAre("lerIdioma", "splash", "esperar 1000", "titulo ''", "janelas",
                                          "splash fechado", c.mensagem));
    }
}

// A language file accepted at discovery that cannot be read when loaded:
// the failure reaches the report, which has no language to use.
TEST(Inicializacao, IdiomaIlegivelERelatadoEmIngles) {
    Programa p;
    p.pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    p.idiomaGuardado = "Portugues";
    auto s = p.servicos();
    auto idiomasReal = s.idiomas;
    s.idiomas = [&]() -> GerenciadorIdiomas& {
        GerenciadorIdiomas& g = idiomasReal();
        std::filesystem::remove(p.pasta.caminho / "pt.idm");
        return g;
    };
    EXPECT_EQ(executarInicializacao(s), 0);
    ASSERT_EQ(p.passos.size(), 2u);
    EXPECT_THAT(p.passos[1], ::testing::StartsWith("mensagem: Zelmora Quindral | An error has occurred"));
    EXPECT_THAT(p.passos[1], ::testing::HasSubstr("Error information:\r\n\" EFOpenError ("));
    EXPECT_THAT(p.passos[1], ::testing::EndsWith("), v2.0.3.0 \""));
}

}  // namespace
