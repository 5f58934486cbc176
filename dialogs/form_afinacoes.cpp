#include "dialogs/form_afinacoes.h"

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/window_drag.h"
#include "ui_TformAfinacoes.h"

TformAfinacoes::TformAfinacoes(const GerenciadorIdiomas& idiomas, GerenciadorAfinacoes& afinacoes,
                               std::function<void()> carregarAfinacaoAtual, QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      afinacoes_(afinacoes),
      carregarAfinacaoAtual_(std::move(carregarAfinacaoAtual)),
      ui_(new Ui::TformAfinacoes) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->imgFundo->setPicture(idiomas.obterImagem("fmAssistente", "imgFundo"));
    platform::ui::enableWindowDrag(ui_->imgFundo);
}

TformAfinacoes::~TformAfinacoes() { delete ui_; }

platform::ui::PictureControl* TformAfinacoes::imgFundo() const { return ui_->imgFundo; }
