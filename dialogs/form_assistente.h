#pragma once
// The setup assistant, for now only its frame: a borderless 393 x 331 window
// with the language's background picture (fmAssistente/imgFundo).

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
    explicit TformAssistente(const GerenciadorIdiomas& idiomas, QWidget* owner = nullptr);
    ~TformAssistente() override;

    platform::ui::PictureControl* imgFundo() const;

private:
    Ui::TformAssistente* ui_;
};
