#include "dialogs/form_assistente.h"

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/window_drag.h"
#include "ui_TformAssistente.h"

TformAssistente::TformAssistente(const GerenciadorIdiomas& idiomas, std::function<void(int)> mostrarErroAudio,
                                 QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      mostrarErroAudio_(std::move(mostrarErroAudio)),
      ui_(new Ui::TformAssistente) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->imgFundo->setPicture(idiomas.obterImagem("fmAssistente", "imgFundo"));
    platform::ui::enableWindowDrag(ui_->imgFundo);
}

TformAssistente::~TformAssistente() { delete ui_; }

platform::ui::PictureControl* TformAssistente::imgFundo() const { return ui_->imgFundo; }
