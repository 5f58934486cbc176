#pragma once
// The tunings chooser, for now only its frame: a borderless 381 x 317 window
// with the language's background picture (fmAssistente/imgFundo).

#include <functional>

#include "platform/ui/form.h"

class GerenciadorAfinacoes;

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
    // carregarAfinacaoAtual has the main window display the tuning made current.
    TformAfinacoes(const GerenciadorIdiomas& idiomas, GerenciadorAfinacoes& afinacoes,
                   std::function<void()> carregarAfinacaoAtual, QWidget* owner = nullptr);
    ~TformAfinacoes() override;

    platform::ui::PictureControl* imgFundo() const;

private:
    GerenciadorAfinacoes& afinacoes_;
    std::function<void()> carregarAfinacaoAtual_;
    Ui::TformAfinacoes* ui_;
};
