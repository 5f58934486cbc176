#pragma once
// The setup assistant, for now only its frame: a borderless 393 x 331 window
// with the language's background picture (fmAssistente/imgFundo).

#include <functional>

#include "platform/ui/form.h"

class GerenciadorIdiomas;

namespace Ui {
class TformAssistente;
}

namespace platform::ui {
class PictureControl;
}

class TformAssistente : public platform::ui::Form {
    Q_OBJECT
public:
    // mostrarErroAudio reports a wave-input result code through the main window.
    TformAssistente(const GerenciadorIdiomas& idiomas, std::function<void(int codigo)> mostrarErroAudio,
                    QWidget* owner = nullptr);
    ~TformAssistente() override;

    platform::ui::PictureControl* imgFundo() const;

private:
    std::function<void(int)> mostrarErroAudio_;
    Ui::TformAssistente* ui_;
};
