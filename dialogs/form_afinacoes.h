#pragma once
// The tunings chooser: a list of the catalogue's 4-, 5- and 6-string tunings
// (their descriptions, in catalogue order), the current one selected at
// each showing, with OK and Cancel. OK, Enter and a double click in the list
// make the selected tuning current and have the main window redisplay it
// (only when it differs from the current one), then close with mrOk; Cancel
// and Escape close with mrCancel and change nothing.
//
// Tunings with other string counts are left out of the list, so a list line
// is mapped to its catalogue index; a current tuning that is not listed
// leaves no line selected. OK with no line selected makes tuning 0 current
// (the catalogue's fallback for an index out of range).

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/form.h"

class GerenciadorAfinacoes;
class GerenciadorIdiomas;

namespace Ui {
class TformAfinacoes;
}

namespace platform::ui {
class ListBox;
class PictureControl;
}  // namespace platform::ui

class TformAfinacoes : public platform::ui::Form {
    Q_OBJECT
public:
    // Texts and pictures from `idiomas` now; the list from `afinacoes` now
    // (filled once). `afinacoes` must outlive the window.
    // `carregarAfinacaoAtual` redisplays the new current tuning.
    TformAfinacoes(const GerenciadorIdiomas& idiomas, GerenciadorAfinacoes& afinacoes,
                   std::function<void()> carregarAfinacaoAtual, QWidget* owner = nullptr);
    ~TformAfinacoes() override;

    // The catalogue index of each list line.
    const std::vector<std::int32_t>& indicesDasLinhas() const { return indicesDasLinhas_; }

    platform::ui::ListBox* listaAfinacoes() const;
    platform::ui::PictureControl* btnOk() const;
    platform::ui::PictureControl* btnCancelar() const;
    platform::ui::PictureControl* imgFundo() const;

protected:
    void formShow() override;
    void formKeyDown(int& key, Qt::KeyboardModifiers shift) override;

private:
    void preencherLista();
    void btnOkClick();
    void btnCancelarClick();
    void fechar(int resultado);

    std::unique_ptr<Ui::TformAfinacoes> ui_;
    GerenciadorAfinacoes& gerenciadorAfinacoes_;
    std::function<void()> carregarAfinacaoAtual_;
    std::vector<std::int32_t> indicesDasLinhas_;
};
