// The start-up of the real program, headless: the real services (settings
// file, language manager with the real chooser, message boxes read through
// the window layer's hook, splash, application object) on a private
// application folder, with the minimal windows of the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <fstream>
#include <sstream>

#include "app/form_splash.h"
#include "app/inicializacao.h"
#include "app/servicos_padrao.h"
#include "dialogs/form_afinacoes.h"
#include "dialogs/form_assistente.h"
#include "i18n/gerenciador_idiomas.h"
#include "i18n/lista_idiomas.h"
#include "i18n/mensagens.h"
#include "platform/core/exceptions.h"
#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "tests/app/fixture_qt.h"
#include "tuner/form_principal.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tunings/xml_afinacao_parser.h"

namespace {

using ::testing::ElementsAre;

struct Janelas {
    explicit Janelas(GerenciadorIdiomas& g)
        : principal(g), assistente(g, [](int) {}), afinacoes(g, catalogo, [] {}) {}
    XMLAfinacaoParser leitor{[](const std::string&, const std::string&) { return std::string(); }};
    GerenciadorAfinacoes catalogo{leitor};
    TformPrincipal principal;
    TformAssistente assistente;
    TformAfinacoes afinacoes;
};

template <class T>
T* visivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = dynamic_cast<T*>(w); t && t->isVisible()) return t;
    return nullptr;
}

class Programa : public ::testing::Test {
protected:
    void SetUp() override {
        teste_app::iniciarQt();
        platform::ui::resetTerminateForTests();
        lista = std::make_unique<TformListaIdiomas>(&platform::ui::terminateRequested);
        platform::ui::setMessageBoxHookForTests(
            [this](const std::string& texto, const std::string& titulo) { mensagens.push_back(titulo + " | " + texto); });
        platform::ui::setScreenPixelsPerInchForTests(96);
    }
    void TearDown() override {
        platform::ui::setMessageBoxHookForTests({});
        platform::ui::setScreenPixelsPerInchForTests(std::nullopt);
        platform::ui::resetTerminateForTests();
    }

    // The real services, with a manager of its own on the private folder
    // (the process-wide one would outlive this test) and the real chooser.
    int executar() {
        const platform::files::ExecutablePathOverride exe(pasta.caminho / "quindral");
        ServicosInicializacao s = servicosPadrao([this]() -> std::shared_ptr<void> {
            splashDuranteJanelas = visivel<TformSplash>() != nullptr;
            ++janelasCriadas;
            if (falhaAoCriar) falhaAoCriar();
            auto j = std::make_shared<Janelas>(*gerenciador);
            principal = &j->principal;
            return j;
        });
        s.idiomas = [this]() -> GerenciadorIdiomas& {
            GerenciadorIdiomas::Ganchos g;
            g.mostrarMensagem = &platform::ui::showMessage;
            g.solicitarTermino = &platform::ui::requestTerminate;
            g.terminoSolicitado = &platform::ui::terminateRequested;
            g.escolher = [this](const std::vector<std::string>& nomes, int indice) {
                ++escolhas;
                return lista->escolher(nomes, indice);
            };
            gerenciador = std::make_unique<GerenciadorIdiomas>(platform::files::executableDirectory(), g);
            return *gerenciador;
        };
        s.esperar = [this](std::chrono::milliseconds ms) {
            splashNaEspera = visivel<TformSplash>() != nullptr;
            espera = ms;
        };
        return executarInicializacao(s);
    }

    // Acts on the first visible window of type T once the loop shows it.
    template <class T>
    void quandoVisivel(std::function<void(T&)> acao) {
        auto* timer = new QTimer(qApp);
        QObject::connect(timer, &QTimer::timeout, [timer, acao] {
            if (T* t = visivel<T>()) {
                timer->deleteLater();
                timer->stop();
                acao(*t);
            }
        });
        timer->start(10);
    }

    std::string ini() const {
        std::ifstream f(pasta.caminho / "quindral.ini", std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    teste_app::PastaTemporaria pasta;
    std::unique_ptr<TformListaIdiomas> lista;
    std::unique_ptr<GerenciadorIdiomas> gerenciador;
    std::vector<std::string> mensagens;
    int escolhas = 0, janelasCriadas = 0;
    bool splashNaEspera = false, splashDuranteJanelas = false;
    std::chrono::milliseconds espera{0};
    TformPrincipal* principal = nullptr;
    std::function<void()> falhaAoCriar;
};

const std::string kTitulo = std::string(mensagens_idioma::kTitulo) + " | ";

TEST_F(Programa, SemArquivosDeIdiomaSoUmaMensagem) {
    EXPECT_EQ(executar(), 0);
    EXPECT_THAT(mensagens, ElementsAre(kTitulo + mensagens_idioma::kNenhumArquivo));
    EXPECT_EQ(janelasCriadas, 0);
    EXPECT_FALSE(splashNaEspera);
}

TEST_F(Programa, NomeNaoEncontradoEscolhaCancelada) {
    pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    pasta.escrever("quindral.ini", "[geral]\r\nidioma=Klingon\r\n");
    quandoVisivel<TformListaIdiomas>([](TformListaIdiomas& l) { l.btnCancelar->click(); });
    EXPECT_EQ(executar(), 0);
    EXPECT_EQ(escolhas, 1);
    EXPECT_THAT(mensagens, ElementsAre(kTitulo + mensagens_idioma::kNaoEncontrado,
                                       kTitulo + mensagens_idioma::kNaoInicializada));
    EXPECT_EQ(janelasCriadas, 0);
}

// First start: the chooser, the splash during the wait and while the
// windows are built, the main window until its close button, and the
// choice remembered in the settings file.
TEST_F(Programa, PrimeiroInicioAte96PPPDoEscolhaAoArquivoDeConfiguracoes) {
    pasta.escrever("en.idm", teste_app::idiomaPortugues("English"));
    pasta.escrever("pt.idm", teste_app::idiomaPortugues("Portugues"));
    quandoVisivel<TformListaIdiomas>([](TformListaIdiomas& l) {
        l.listaIdiomas->setCurrentRow(l.listaIdiomas->count() - 1);
        l.btnOk->click();
    });
    quandoVisivel<TformPrincipal>([](TformPrincipal& p) { p.btnSair()->click(); });
    EXPECT_EQ(executar(), 0);

    EXPECT_THAT(mensagens, ElementsAre(kTitulo + mensagens_idioma::kNaoEncontrado));
    EXPECT_TRUE(splashNaEspera);
    EXPECT_EQ(espera, std::chrono::milliseconds(1000));
    EXPECT_TRUE(splashDuranteJanelas);
    EXPECT_EQ(janelasCriadas, 1);
    EXPECT_EQ(visivel<TformSplash>(), nullptr);
    const std::string escolhido = gerenciador->obterIdiomaAtual()->obterNomeIdioma();
    EXPECT_EQ(ini(), "[geral]\r\nidioma=" + escolhido + "\r\nafinacaoSelecionada=0\r\ntipoSistema=0\r\n");
}

TEST_F(Programa, Acima96PPPSoAMensagemDeResolucao) {
    pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    pasta.escrever("quindral.ini", "[geral]\r\nidioma=portugues\r\n");
    platform::ui::setScreenPixelsPerInchForTests(97);
    EXPECT_EQ(executar(), 0);
    EXPECT_THAT(mensagens, ElementsAre("Zelmora Quindral 2.0 | Use 96 PPP."));
    EXPECT_FALSE(splashNaEspera);
    EXPECT_EQ(janelasCriadas, 0);
}

// The main window keeps the tuning index and correction mode it read.
TEST_F(Programa, JanelaPrincipalMinimaGuardaAoFechar) {
    pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    pasta.escrever("quindral.ini", "[geral]\r\nidioma=PORTUGUES\r\nafinacaoSelecionada=3\r\ntipoSistema=2\r\nx=1\r\n");
    quandoVisivel<TformPrincipal>([this](TformPrincipal& p) {
        EXPECT_EQ(p.size(), QSize(802, 532));
        EXPECT_TRUE(p.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(p.caption(), "Zelmora Quindral 2.0");
        EXPECT_EQ(platform::ui::title(), "Quindral");
        EXPECT_EQ(platform::ui::mainWindow(), &p);
        p.btnSair()->click();
    });
    EXPECT_EQ(executar(), 0);
    EXPECT_TRUE(mensagens.empty());
    EXPECT_EQ(ini(), "[geral]\r\nidioma=Portugues\r\nafinacaoSelecionada=3\r\ntipoSistema=2\r\n");
}

// A failure while the windows are built: the splash goes, the localized
// report shows (this test executable has no version block), no loop runs.
TEST_F(Programa, FalhaAoCriarJanelasRelatadaNoIdioma) {
    pasta.escrever("pt.idm", teste_app::idiomaPortugues());
    pasta.escrever("quindral.ini", "[geral]\r\nidioma=Portugues\r\n");
    falhaAoCriar = [] { throw EListError("List index out of bounds (9)"); };
    EXPECT_EQ(executar(), 0);
    EXPECT_THAT(mensagens, ElementsAre("Zelmora Quindral 2.0 | Ocorreu um erro.\r\nContate-nos.\r\n"
                                       "\" EListError (List index out of bounds (9)) \""));
    EXPECT_EQ(visivel<TformSplash>(), nullptr);
    EXPECT_EQ(ini(), "[geral]\r\nidioma=Portugues\r\n");
}

}  // namespace
