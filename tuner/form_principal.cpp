#include "tuner/form_principal.h"

#include <QPushButton>

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/application.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/text.h"
#include "platform/ui/window_drag.h"
#include "settings/configuracoes_usuario.h"
#include "ui_TformPrincipal.h"

TformPrincipal::TformPrincipal(GerenciadorIdiomas& idiomas, QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      idiomas_(idiomas),
      configuracoes_(std::make_unique<ConfiguracoesUsuario>()),
      ui_(new Ui::TformPrincipal) {
    ui_->setupUi(this);
    setFixedSize(size());
    setAsMainWindow();
    aplicarIdioma();
    platform::ui::enableWindowDrag(ui_->imgFundo);
    connect(ui_->btnSair, &QPushButton::clicked, this, [this] { closeForm(); });
}

TformPrincipal::~TformPrincipal() { delete ui_; }

void TformPrincipal::aplicarIdioma() {
    platform::ui::setTitle(idiomas_.obterTexto("geral", "tituloAplicacao"));
    setCaption(idiomas_.obterTexto("geral", "nomeAplicacao"));
    ui_->btnSair->setToolTip(platform::ui::toQString(idiomas_.obterTexto("fmPrincipal", "hintBtnSair")));
    ui_->imgTitulo->setPicture(idiomas_.obterImagem("fmPrincipal", "imgTitulo"));
}

void TformPrincipal::formClose() {
    const Idioma* idioma = idiomas_.obterIdiomaAtual();
    configuracoes_->gravar(configuracoes_->obterAfinacaoSelecionada(), configuracoes_->obterTipoSistema(),
                           idioma ? idioma->obterNomeIdioma() : std::string());
}

QPushButton* TformPrincipal::btnSair() const { return ui_->btnSair; }
platform::ui::PictureControl* TformPrincipal::imgTitulo() const { return ui_->imgTitulo; }
