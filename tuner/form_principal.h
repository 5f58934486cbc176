#pragma once
// TformPrincipal: the tuner's main window, 802 x 532 pixels, borderless,
// centred, drawn from pictures.
//
// Left half: the instrument's neck with six string slots (0..5, left to
// right). A four-string tuning uses slots 1..4, a five-string one 0..4, a
// six-string one 0..5; the string image and string end of a slot carry in
// their tag the index of the string they stand for. Exactly one string is
// marked (lit string, lit string end, visible peg): cordaSelecionada().
// A click on a string, the next-string button or an arrow key selects a
// string and sounds it (silence, then note-on 0x90 note 0x7F on channel 0).
//
// Right half: the needle dial, driven every 50 ms by the measuring loop
// (MedidorAfinacao) on the analyser's latest spectrum, and the tool buttons
// (close, minimise, help F1, setup assistant F2, tunings chooser F3, web link).
//
// Lifecycle: created hidden with the current tuning displayed and the timer
// off; on first show capture starts and the timer runs (or a wave-input
// message shows and the timer stays off); closing writes the settings file.
// When the tunings file cannot be used the constructor shows the language's
// message, requests termination and displays no tuning.

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "audio/captura_afinador.h"
#include "platform/ui/form.h"
#include "platform/ui/timer.h"
#include "tuner/core/painel_ponteiro.h"

class Afinacao;
class ConfiguracoesUsuario;
class EspectroTFFT;
class GerenciadorAfinacoes;
class GerenciadorIdiomas;
class MedidorAfinacao;
class SaidaMIDI;
class TFFT;
class TRecorder;

namespace Ui {
class TformPrincipal;
}

namespace platform::clock {
class Clock;
}

namespace platform::ui {
class PictureControl;
class RotateImage;
}  // namespace platform::ui

// What the window borrows; empty fields mean the program's real ones.
struct DependenciasPrincipal {
    // Default: GerenciadorAfinacoes::instancia() (Afinacoes.xml from the
    // working directory).
    GerenciadorAfinacoes* afinacoes = nullptr;
    // Folder of the MIDI library; empty: the application folder.
    std::filesystem::path bibliotecaMidi;
    // Default: the system clock.
    platform::clock::Clock* relogio = nullptr;
};

class TformPrincipal : public platform::ui::Form, public PainelPonteiro {
    Q_OBJECT
public:
    using Dependencias = DependenciasPrincipal;
    // The settings file is the one beside the executable
    // (ConfiguracoesUsuario); tests move it with ExecutablePathOverride.

    static constexpr int kTaxaAmostragem = captura_afinador::kTaxaAmostragem;  // Hz
    static constexpr int kTamanhoFFT = captura_afinador::kTamanhoFFT;  // requested; the analyser uses 16384
    static constexpr int kTamanhoBuffer = captura_afinador::kTamanhoBuffer;  // samples per recorder block
    static constexpr int kLarguraRotulo = 130;     // pixels for instrument and tuning type
    static constexpr int kProgramaMidi = 24;       // General MIDI nylon guitar, counted from 0

    // Builds the window and becomes the application's main window. Raises
    // EMaxMidiException when the MIDI library cannot be loaded.
    explicit TformPrincipal(GerenciadorIdiomas& idiomas, Dependencias dependencias = {},
                            QWidget* owner = nullptr);
    ~TformPrincipal() override;

    // The assistant and the tunings chooser, shown modally by the tool
    // buttons (either may be null: its button then does nothing but what
    // surrounds the showing).
    void definirJanelas(platform::ui::Form* assistente, platform::ui::Form* afinacoes);

    // Texts, hints and language pictures, and the application title.
    void aplicarIdioma();
    // Message box for a wave-input result code: 2 and 32 erroIOSO, 4
    // erroIOOcupado, 6 erroIODriver, 7 erroIOMemoria; other codes nothing.
    void mostrarErroAudio(int codigo);
    // Displays the catalogue's current tuning and selects string 0 silently.
    // A current tuning of fewer than 4 or more than 6 strings is replaced by
    // the first displayable one; without any, nothing changes.
    void carregarAfinacaoAtual();
    void selecionarCorda(int corda);
    void desmarcarCorda();
    // Slot (0..5) of string `corda` of the current tuning.
    int posicaoImagemCorda(int corda) const;

    // User actions, as the controls and keys run them.
    void imagemCordaClick(platform::ui::PictureControl* sender);
    void btnProximaCordaClick();
    void btnSairClick();
    void btnMinimizarClick();
    void btnAjudaClick();
    void btnAssistenteClick();
    void btnAfinacoesClick();
    void imgLinkClick();
    void timerTimer();

    // State, for the owner and tests.
    const Afinacao* afinacaoAtual() const { return afinacaoAtual_; }
    int cordaSelecionada() const { return cordaSelecionada_; }
    int tipoSistema() const { return tipoSistema_; }
    bool afinacoesCarregadas() const { return afinacaoAtual_ != nullptr; }
    Ui::TformPrincipal& controles() const { return *ui_; }
    platform::ui::Timer& timer() { return timer_; }
    TRecorder& gravador() { return *gravador_; }
    MedidorAfinacao& medidor() { return *medidor_; }
    platform::ui::PictureControl* imagemCorda(int slot) const { return imagensCorda_.at(slot); }
    platform::ui::RotateImage* imagemFimCorda(int slot) const { return imagensFimCorda_.at(slot); }
    platform::ui::PictureControl* imagemTarracha(int slot) const { return imagensTarracha_.at(slot); }
    platform::ui::PictureControl* btnSair() const;

    // PainelPonteiro, on imgPonteiro, lblOk, lblCordaAfinada, panelDoubleBuffering.
    double anguloPonteiro() const override;
    void definirAnguloPonteiro(double graus) override;
    void definirOkAmarelo(bool amarelo) override;
    void definirAfinadaVisivel(bool visivel) override;
    void desligarDoubleBuffering() override;

protected:
    void formShow() override;
    void formClose() override;
    void formKeyDown(int& key, Qt::KeyboardModifiers shift) override;

private:
    void carregarCatalogo();
    bool selecionarAfinacaoExibivel();
    void iniciarCaptura();
    void ligarControles();
    void botaoMouseDown(platform::ui::PictureControl* botao);
    void botaoMouseUp(platform::ui::PictureControl* botao);
    void mensagem(const char* secao, const char* chave, const char* chaveTitulo) const;

    GerenciadorIdiomas& idiomas_;
    Dependencias dependencias_;
    Ui::TformPrincipal* ui_;
    platform::ui::Timer timer_;

    // The analyser is destroyed before its source.
    std::unique_ptr<TRecorder> gravador_;
    std::unique_ptr<TFFT> fft_;
    std::unique_ptr<EspectroTFFT> espectro_;
    std::unique_ptr<MedidorAfinacao> medidor_;
    std::unique_ptr<SaidaMIDI> saidaMidi_;
    std::unique_ptr<ConfiguracoesUsuario> configuracoes_;
    GerenciadorAfinacoes* gerenciadorAfinacoes_ = nullptr;

    std::array<platform::ui::PictureControl*, 6> imagensCorda_{};
    std::array<platform::ui::RotateImage*, 6> imagensFimCorda_{};
    std::array<platform::ui::PictureControl*, 6> imagensFimCordaSelecionada_{};
    std::array<platform::ui::PictureControl*, 6> imagensTarracha_{};
    std::array<platform::ui::PictureControl*, 10> imagensBotao_{};

    platform::ui::Form* assistente_ = nullptr;
    platform::ui::Form* afinacoes_ = nullptr;

    const Afinacao* afinacaoAtual_ = nullptr;
    int cordaSelecionada_ = 0;
    int tipoSistema_ = 0;
    bool mostrada_ = false;
};
