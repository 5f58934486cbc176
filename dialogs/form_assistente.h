#pragma once
// The setup assistant: five pages of advice on preparing the microphone, a
// live input-level meter on page 3 and a button that opens the system's
// recording-volume control. Shown modally by the main window, which frees
// the input device first; the assistant captures with a recorder of its own
// only while it is shown.
//
// Pages 0..4; the buttons shown per page:
//   page 0: next          page 1: previous, next, volume control
//   page 2, 3: previous, next          page 4: previous
// Keys: Escape closes (result mrCancel), Left/Right act as the previous and
// next buttons while those are shown. The close button goes back to page 0
// and closes with mrOk.
//
// Level meter: after each block of 256 frames (8-bit mono, 11025 Hz, about
// 23.2 ms) it shows the block's peak |sample| on 0..8192 (byte 128 is 0,
// byte 0 is 8192, byte 255 is 8128), no decay; it stays frozen while another
// window is active.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/form.h"

class GerenciadorIdiomas;
class TRecorder;

namespace Ui {
class TformAssistente;
}

namespace platform::ui {
class PageControl;
class PictureControl;
class ProgressBar;
}  // namespace platform::ui

class TformAssistente : public platform::ui::Form {
    Q_OBJECT
public:
    static constexpr int QuantidadePaginas = 5;

    // Takes the texts and pictures from `idiomas` now, and the volume-control
    // message when it is shown: `idiomas` must outlive the window.
    // `mostrarErroAudio` receives the wave-input result code when capture
    // cannot start.
    TformAssistente(const GerenciadorIdiomas& idiomas, std::function<void(int codigo)> mostrarErroAudio,
                    QWidget* owner = nullptr);
    ~TformAssistente() override;

    // The recording-volume control started by btnConfiguracoes: a program
    // looked up on PATH and its arguments (pavucontrol on its input-devices
    // page by default).
    void definirControleVolume(std::string programa, std::vector<std::string> argumentos);

    // Controls, for the main window's checks and for tests.
    platform::ui::PageControl* paginas() const;
    platform::ui::ProgressBar* medidorVolume() const;
    platform::ui::PictureControl* btnFechar() const;
    platform::ui::PictureControl* btnAnterior() const;
    platform::ui::PictureControl* btnProximo() const;
    platform::ui::PictureControl* btnConfiguracoes() const;
    platform::ui::PictureControl* imagemBackGround(int pagina) const;
    TRecorder& gravador() const { return *gravador_; }

protected:
    void formShow() override;
    void formClose() override;
    void formKeyDown(int& key, Qt::KeyboardModifiers shift) override;

private:
    void btnAnteriorClick();
    void btnProximoClick();
    void btnFecharClick();
    void btnConfiguracoesClick();
    void mostrarBotoes(bool anterior, bool proximo, bool configuracoes);
    void btnFecharMouseDown(platform::ui::PictureControl* botao);
    void btnFecharMouseUp(platform::ui::PictureControl* botao);
    void gravadorSample(TRecorder* sender);

    std::unique_ptr<Ui::TformAssistente> ui_;
    const GerenciadorIdiomas& idiomas_;
    std::function<void(int)> mostrarErroAudio_;
    std::string programaVolume_ = "pavucontrol";
    std::vector<std::string> argumentosVolume_ = {"--tab=4"};  // tabs count from 1: Input Devices
    // By a button's tag: its normal picture at tag, its pressed one at tag + 1.
    std::array<platform::ui::PictureControl*, 8> imagensBotao_{};
    std::unique_ptr<TRecorder> gravador_;
};
