#pragma once
// The tunings chooser, for now only its frame: a borderless 381 x 317 window
// with the language's background picture (fmAssistente/imgFundo).

#include "platform/ui/form.h"

class GerenciadorIdiomas;

namespace Ui {
class TformAfinacoes;
}

namespace platform::ui {
class PictureControl;
}

class TformAfinacoes : public platform::ui::Form {
    Q_OBJECT
public:
    explicit TformAfinacoes(const GerenciadorIdiomas& idiomas, QWidget* owner = nullptr);
    ~TformAfinacoes() override;

    platform::ui::PictureControl* imgFundo() const;

private:
    Ui::TformAfinacoes* ui_;
};
