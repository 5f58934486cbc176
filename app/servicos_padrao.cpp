#include "app/servicos_padrao.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

#include <thread>

#include "app/form_splash.h"
#include "app/versao_programa.h"
#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/application.h"
#include "settings/configuracoes_usuario.h"

void mostrarEPintar(QWidget& janela) {
    janela.show();
    // A window is drawn only once the window system has mapped it; give it
    // a moment, but never hang on a display that does not answer.
    QElapsedTimer relogio;
    relogio.start();
    while (relogio.elapsed() < 500 && !(janela.windowHandle() && janela.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    janela.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ServicosInicializacao servicosPadrao(std::function<std::shared_ptr<void>()> criarJanelas) {
    ServicosInicializacao s;
    s.lerIdioma = [] { return ConfiguracoesUsuario::lerIdioma(); };
    s.idiomas = []() -> GerenciadorIdiomas& { return GerenciadorIdiomas::instancia(); };
    s.pixelsPorPolegada = [] { return platform::ui::screenPixelsPerInch(); };
    s.mostrarMensagem = [](const std::string& texto, const std::string& titulo) {
        platform::ui::showMessage(texto, titulo);
    };
    s.mostrarSplash = []() -> std::shared_ptr<void> {
        auto splash = std::make_shared<TformSplash>(GerenciadorIdiomas::instancia());
        mostrarEPintar(*splash);
        return splash;
    };
    s.esperar = [](std::chrono::milliseconds tempo) { std::this_thread::sleep_for(tempo); };
    s.definirTitulo = [](const std::string& titulo) { platform::ui::setTitle(titulo); };
    s.criarJanelas = std::move(criarJanelas);
    s.executarLaco = [] { platform::ui::run(); };
    s.obterVersao = [] { return obterVersaoPrograma(); };
    return s;
}
