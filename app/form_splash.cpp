#include "app/form_splash.h"

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/picture_control.h"
#include "ui_TformSplash.h"

TformSplash::TformSplash(const GerenciadorIdiomas& idiomas, QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None), ui_(new Ui::TformSplash) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->imgEntrada->setPicture(idiomas.obterImagem("fmEntrada", "imgEntrada"));
}

TformSplash::~TformSplash() { delete ui_; }

platform::ui::PictureControl* TformSplash::imgEntrada() const { return ui_->imgEntrada; }
