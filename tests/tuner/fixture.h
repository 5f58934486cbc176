#pragma once
// The main window headless, as the program builds it: the shipped English
// language files, a tunings file of the test's own, a private folder
// standing for the executable's (settings file, help page), the stepped
// wave-input device, the recording MIDI library and a manual clock.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "i18n/gerenciador_idiomas.h"
#include "platform/clock/manual_clock.h"
#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/picture_control.h"
#include "platform/wavein/stepped_device.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tunings/xml_afinacao_parser.h"
#include "tuner/form_principal.h"

namespace teste_principal {

namespace fs = std::filesystem;

inline void iniciarQt() {
    static int argc = 1;
    static char nome[] = "test_tuner";
    static char* argv[] = {nome, nullptr};
    platform::ui::initialize(argc, argv);
}

// One tuning of the fixture file.
inline std::string afinacao(const std::string& instrumento, const std::string& tipo, std::vector<int> notas) {
    std::string s = "<Afinacao><instrumento>" + instrumento + "</instrumento><tipoAfinacao>" + tipo +
                    "</tipoAfinacao><numeroCordas>" + std::to_string(notas.size()) + "</numeroCordas><frequenciasMIDI>";
    for (int n : notas) s += "<nota>" + std::to_string(n) + "</nota>";
    return s + "</frequenciasMIDI></Afinacao>";
}

// Indexes of the default fixture file.
enum : int { kViolao6 = 0, kBaixo4 = 1, kBaixo5 = 2, kTresCordas = 3, kNomeLongo = 4 };

inline std::string afinacoesPadrao() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><afinacoes>" +
           afinacao("Guitar", "Standard", {40, 45, 50, 55, 59, 64}) +
           afinacao("Bass", "Standard", {28, 33, 38, 43}) +
           afinacao("Bass", "Five strings", {23, 28, 33, 38, 43}) +
           afinacao("Balalaika", "Prima", {64, 64, 69}) +
           afinacao("A twelve-string acoustic guitar with a very long name", "Open G", {38, 43, 50, 55, 59, 62}) +
           "</afinacoes>";
}

// The recording stand-in of the MIDI library, loaded once more so its
// journal can be read (the same file is the same library).
class MidiGravador {
public:
    explicit MidiGravador(const fs::path& pasta) {
        handle_ = dlopen((pasta / "libMxMidi32.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) throw std::runtime_error(dlerror());
        const int abre[] = {-1};
        reinterpret_cast<void (*)(int, const int*, int)>(dlsym(handle_, "StandInConfigure"))(0, abre, 1);
    }
    ~MidiGravador() { dlclose(handle_); }
    std::string diario() const { return reinterpret_cast<const char* (*)()>(dlsym(handle_, "StandInJournal"))(); }
    // What arrived since the last call.
    std::string novo() {
        const std::string tudo = diario();
        std::string r = tudo.substr(lido_);
        lido_ = tudo.size();
        return r;
    }

private:
    void* handle_ = nullptr;
    std::size_t lido_ = 0;
};

// A modal stand-in for the assistant or the chooser: closes as soon as it
// shows, after running `aoMostrar`.
class JanelaModal : public platform::ui::Form {
public:
    void formShow() override {
        ++vezes;
        if (aoMostrar) aoMostrar();
        QMetaObject::invokeMethod(this, [this] { closeForm(); }, Qt::QueuedConnection);
    }
    int vezes = 0;
    std::function<void()> aoMostrar;
};

// Declared first in the fixture: the windows need the application.
struct QtIniciado {
    QtIniciado() { iniciarQt(); }
};

class Principal : public ::testing::Test {
protected:
    QtIniciado qt_;

    void SetUp() override {
        iniciarQt();
        platform::ui::resetTerminateForTests();
        platform::ui::setMessageBoxHookForTests(
            [this](const std::string& texto, const std::string& titulo) { mensagens.push_back(titulo + " | " + texto); });
        char modelo[] = "/tmp/quindral-principal-XXXXXX";
        pasta = mkdtemp(modelo);
        exe = std::make_unique<platform::files::ExecutablePathOverride>(pasta / "quindral");
        escrever("Afinacoes.xml", afinacoesPadrao());

        GerenciadorIdiomas::Ganchos g;
        g.mostrarMensagem = &platform::ui::showMessage;
        g.solicitarTermino = &platform::ui::requestTerminate;
        g.terminoSolicitado = &platform::ui::terminateRequested;
        g.escolher = [](const std::vector<std::string>&, int) { return -1; };
        idiomas = std::make_unique<GerenciadorIdiomas>(std::string(QUINDRAL_APP_DIR) + "/", g);
        ASSERT_NE(idiomas->selecionar("English"), nullptr);
        leitor = std::make_unique<XMLAfinacaoParser>(
            [this](const std::string& s, const std::string& k) { return idiomas->obterTexto(s, k); });
    }
    void TearDown() override {
        principal.reset();
        platform::ui::setMessageBoxHookForTests({});
        platform::ui::resetTerminateForTests();
        exe.reset();
        fs::remove_all(pasta);
    }

    void escrever(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(pasta / nome, std::ios::binary) << conteudo;
    }
    std::string ler(const std::string& nome) const {
        std::ifstream f(pasta / nome, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    // Builds the window on the fixture's tunings file (or `arquivo`).
    TformPrincipal& criar(const fs::path& arquivo = {}) {
        catalogo = std::make_unique<GerenciadorAfinacoes>(*leitor, arquivo.empty() ? pasta / "Afinacoes.xml" : arquivo);
        principal = std::make_unique<TformPrincipal>(
            *idiomas, TformPrincipal::Dependencias{catalogo.get(), MIDI_STANDIN_DIR, &relogio});
        principal->definirJanelas(&assistente, &escolha);
        return *principal;
    }
    // Builds and shows it, as the message loop would.
    TformPrincipal& mostrar() {
        criar();
        principal->show();
        QApplication::processEvents();
        return *principal;
    }

    void tecla(Qt::Key k, bool repeticao = false) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier, QString(), repeticao);
        QApplication::sendEvent(principal.get(), &e);
    }
    static void botao(QWidget* w, QEvent::Type tipo, QPoint onde = {2, 2}, Qt::MouseButton b = Qt::LeftButton) {
        QMouseEvent e(tipo, QPointF(onde), w->mapToGlobal(QPointF(onde)), b,
                      tipo == QEvent::MouseButtonPress ? b : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    static void clicar(QWidget* w) {
        botao(w, QEvent::MouseButtonPress);
        botao(w, QEvent::MouseButtonRelease);
    }

    // The slot whose peg shows, -1 when none, -2 when more than one.
    int tarrachaVisivel() const {
        int achada = -1;
        for (int s = 0; s < 6; ++s)
            if (principal->imagemTarracha(s)->isVisibleTo(principal.get())) achada = achada == -1 ? s : -2;
        return achada;
    }

    fs::path pasta;
    std::unique_ptr<platform::files::ExecutablePathOverride> exe;
    std::unique_ptr<GerenciadorIdiomas> idiomas;
    std::unique_ptr<XMLAfinacaoParser> leitor;
    std::unique_ptr<GerenciadorAfinacoes> catalogo;
    platform::wavein::SteppedDevice microfone;
    platform::clock::ManualClock relogio;
    MidiGravador midi{MIDI_STANDIN_DIR};
    JanelaModal assistente, escolha;
    std::unique_ptr<TformPrincipal> principal;
    std::vector<std::string> mensagens;
};

// One block of 8-bit unsigned mono samples of a sine of `hz` at 11025 Hz,
// continuing from sample `inicio`.
inline std::vector<std::uint8_t> blocoSeno(double hz, long inicio, int amostras = TformPrincipal::kTamanhoBuffer) {
    std::vector<std::uint8_t> b(static_cast<std::size_t>(amostras));
    for (int i = 0; i < amostras; ++i) {
        const double t = static_cast<double>(inicio + i) / TformPrincipal::kTaxaAmostragem;
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::lround(128.0 + 100.0 * std::sin(2 * M_PI * hz * t)));
    }
    return b;
}

}  // namespace teste_principal
