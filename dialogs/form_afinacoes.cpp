#include "dialogs/form_afinacoes.h"

#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/list_box.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/window_drag.h"
#include "tunings/gerenciador_afinacoes.h"
#include "ui_TformAfinacoes.h"

using platform::ui::PictureControl;

TformAfinacoes::TformAfinacoes(const GerenciadorIdiomas& idiomas, GerenciadorAfinacoes& afinacoes,
                               std::function<void()> carregarAfinacaoAtual, QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      ui_(std::make_unique<Ui::TformAfinacoes>()),
      gerenciadorAfinacoes_(afinacoes),
      carregarAfinacaoAtual_(std::move(carregarAfinacaoAtual)) {
    ui_->setupUi(this);
    setFixedSize(size());
    setKeyPreview(true);

    ui_->lblSelecione->setCaption(idiomas.obterTexto("fmAfinacoes", "lblSelecione"));
    // The same background as the assistant's pages.
    ui_->imgFundo->setPicture(idiomas.obterImagem("fmAssistente", "imgFundo"));
    ui_->imgBtnOk->setPicture(idiomas.obterImagem("fmAfinacoes", "imgBtnOk"));
    ui_->imgBtnOkI->setPicture(idiomas.obterImagem("fmAfinacoes", "imgBtnOkI"));
    ui_->imgBtnCancelar->setPicture(idiomas.obterImagem("fmAfinacoes", "imgBtnCancelar"));
    ui_->imgBtnCancelarI->setPicture(idiomas.obterImagem("fmAfinacoes", "imgBtnCancelarI"));
    ui_->btnOk->assignPicture(*ui_->imgBtnOk);
    ui_->btnCancelar->assignPicture(*ui_->imgBtnCancelar);

    preencherLista();

    platform::ui::bindPictureButton(ui_->btnOk, ui_->imgBtnOk, ui_->imgBtnOkI);
    platform::ui::bindPictureButton(ui_->btnCancelar, ui_->imgBtnCancelar, ui_->imgBtnCancelarI);
    connect(ui_->btnOk, &PictureControl::clicked, this, [this] { btnOkClick(); });
    connect(ui_->btnCancelar, &PictureControl::clicked, this, [this] { btnCancelarClick(); });
    connect(ui_->listaAfinacoes, &platform::ui::ListBox::doubleClicked, this, [this] { btnOkClick(); });
    platform::ui::enableWindowDrag(ui_->imgFundo);
}

TformAfinacoes::~TformAfinacoes() = default;

platform::ui::ListBox* TformAfinacoes::listaAfinacoes() const { return ui_->listaAfinacoes; }
PictureControl* TformAfinacoes::btnOk() const { return ui_->btnOk; }
PictureControl* TformAfinacoes::btnCancelar() const { return ui_->btnCancelar; }
PictureControl* TformAfinacoes::imgFundo() const { return ui_->imgFundo; }

void TformAfinacoes::preencherLista() {
    for (std::int32_t i = 0; i < gerenciadorAfinacoes_.obterQuantidade(); ++i) {
        const Afinacao& afinacao = gerenciadorAfinacoes_.obterAfinacao(i);
        const std::int32_t cordas = afinacao.obterNumeroCordas();
        if (cordas >= 4 && cordas <= 6) {
            ui_->listaAfinacoes->addItem(afinacao.obterDescricao());
            indicesDasLinhas_.push_back(i);
        }
    }
}

void TformAfinacoes::formShow() {
    int linha = -1;
    const std::int32_t atual = gerenciadorAfinacoes_.obterIndiceAtual();
    for (std::size_t l = 0; l < indicesDasLinhas_.size(); ++l)
        if (indicesDasLinhas_[l] == atual) linha = static_cast<int>(l);
    ui_->listaAfinacoes->setItemIndex(linha);
    ui_->listaAfinacoes->setFocus();
}

void TformAfinacoes::formKeyDown(int& key, Qt::KeyboardModifiers) {
    if (key == platform::ui::keys::kReturn)
        btnOkClick();
    else if (key == platform::ui::keys::kEscape)
        btnCancelarClick();
}

void TformAfinacoes::btnOkClick() {
    const int linha = ui_->listaAfinacoes->itemIndex();
    // No line: an index out of range, which the catalogue takes as tuning 0.
    const std::int32_t escolhida =
        linha >= 0 && linha < static_cast<int>(indicesDasLinhas_.size()) ? indicesDasLinhas_[linha] : -1;
    if (escolhida != gerenciadorAfinacoes_.obterIndiceAtual()) {
        gerenciadorAfinacoes_.selecionarAfinacao(escolhida);
        if (carregarAfinacaoAtual_) carregarAfinacaoAtual_();
    }
    fechar(platform::ui::mrOk);
}

void TformAfinacoes::btnCancelarClick() { fechar(platform::ui::mrCancel); }

void TformAfinacoes::fechar(int resultado) {
    setModalResult(resultado);
    if (!isShownModally()) closeForm();
}
