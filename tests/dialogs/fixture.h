#pragma once
// What the dialog tests share: the one application object, the shipped
// English language, messages read through the window layer's hook, and
// window activation on the offscreen platform.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/application.h"
#include "tests/platform/ui/widget_events.h"

namespace teste_dialogos {

// A manager on the application folder's language files, `nome` current.
inline std::unique_ptr<GerenciadorIdiomas> idiomaDistribuido(const std::string& nome) {
    GerenciadorIdiomas::Ganchos g;
    g.mostrarMensagem = [](const std::string&, const std::string&) {};
    g.solicitarTermino = [] {};
    g.terminoSolicitado = [] { return false; };
    g.escolher = [](const std::vector<std::string>&, int) { return -1; };
    auto idiomas = std::make_unique<GerenciadorIdiomas>(QUINDRAL_APP_DIR, std::move(g));
    if (!idiomas->selecionar(nome)) ADD_FAILURE() << "language " << nome << " not in " << QUINDRAL_APP_DIR;
    return idiomas;
}

// Makes `janela` the active window and waits (at most a second) until the
// window system says so.
inline bool ativar(QWidget* janela) {
    janela->activateWindow();
    QElapsedTimer t;
    t.start();
    while (!janela->isActiveWindow() && t.elapsed() < 1000) QCoreApplication::processEvents();
    return janela->isActiveWindow();
}

class Fixture : public ::testing::Test {
protected:
    void SetUp() override {
        ui_test::ensureApplication();
        platform::ui::setMessageBoxHookForTests(
            [this](const std::string& texto, const std::string& titulo) { mensagens.push_back(titulo + " | " + texto); });
    }
    void TearDown() override { platform::ui::setMessageBoxHookForTests({}); }

    std::vector<std::string> mensagens;  // "title | text"
    std::unique_ptr<GerenciadorIdiomas> ingles = idiomaDistribuido("English");
};

}  // namespace teste_dialogos
