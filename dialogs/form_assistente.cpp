#include "dialogs/form_assistente.h"

#include <cstdlib>
#include <exception>

#include "audio/recorder.h"
#include "i18n/gerenciador_idiomas.h"
#include "platform/core/exceptions.h"
#include "platform/shell/shell.h"
#include "platform/ui/application.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/page_control.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/window_drag.h"
#include "ui_TformAssistente.h"

using platform::ui::PictureControl;

TformAssistente::TformAssistente(const GerenciadorIdiomas& idiomas, std::function<void(int codigo)> mostrarErroAudio,
                                 QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      ui_(std::make_unique<Ui::TformAssistente>()),
      idiomas_(idiomas),
      mostrarErroAudio_(std::move(mostrarErroAudio)) {
    // The form's own pictures live in this static library's resources.
    Q_INIT_RESOURCE(dialogs);
    ui_->setupUi(this);
    setFixedSize(size());
    setKeyPreview(true);
    setCaption("Zelmora Quindral - Assistente");

    ui_->lblTextoTab0->setCaption(idiomas.obterTexto("fmAssistente", "lblTextoTab0"));
    ui_->lblTextoTab1->setCaption(idiomas.obterTexto("fmAssistente", "lblTextoTab1"));
    ui_->lblTexto1Tab2->setCaption(idiomas.obterTexto("fmAssistente", "lblTexto1Tab2"));
    ui_->lblTexto2Tab2->setCaption(idiomas.obterTexto("fmAssistente", "lblTexto2Tab2"));
    ui_->lblTextoTab3->setCaption(idiomas.obterTexto("fmAssistente", "lblTextoTab3"));
    ui_->lblTextoTab4->setCaption(idiomas.obterTexto("fmAssistente", "lblTextoTab4"));

    ui_->imagemBackGround0->setPicture(idiomas.obterImagem("fmAssistente", "imgFundo"));
    ui_->imgBtnAnterior->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnAnterior"));
    ui_->imgBtnAnteriorI->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnAnteriorI"));
    ui_->imgBtnProximo->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnProximo"));
    ui_->imgBtnProximoI->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnProximoI"));
    ui_->imgBtnConfiguracoes->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnConfiguracoes"));
    ui_->imgBtnConfiguracoesI->setPicture(idiomas.obterImagem("fmAssistente", "imgBtnConfiguracoesI"));

    for (int i = 1; i < QuantidadePaginas; ++i) imagemBackGround(i)->assignPicture(*ui_->imagemBackGround0);
    ui_->btnFechar->assignPicture(*ui_->imgBtnFechar);
    ui_->btnProximo->assignPicture(*ui_->imgBtnProximo);
    ui_->btnAnterior->assignPicture(*ui_->imgBtnAnterior);
    ui_->btnConfiguracoes->assignPicture(*ui_->imgBtnConfiguracoes);

    gravador_ = std::make_unique<TRecorder>();
    gravador_->SetAutoStart(false);
    gravador_->OnSample = [this](TRecorder* sender) { gravadorSample(sender); };
    gravador_->SetBufSize(256);
    gravador_->Quality().SetBitsPerSample(8);
    gravador_->Quality().SetChannels(1);
    gravador_->Quality().SetFrequency(11025);
    gravador_->Device().Setid(-1);

    imagensBotao_ = {ui_->imgBtnFechar,  ui_->imgBtnFecharI,  ui_->imgBtnAnterior,      ui_->imgBtnAnteriorI,
                     ui_->imgBtnProximo, ui_->imgBtnProximoI, ui_->imgBtnConfiguracoes, ui_->imgBtnConfiguracoesI};

    ui_->medidorVolume->setRange(0, 8192);

    // Each click of a fast double click moves one page.
    connect(ui_->btnAnterior, &PictureControl::clicked, this, [this] { btnAnteriorClick(); });
    connect(ui_->btnAnterior, &PictureControl::doubleClicked, this, [this] { btnAnteriorClick(); });
    connect(ui_->btnProximo, &PictureControl::clicked, this, [this] { btnProximoClick(); });
    connect(ui_->btnProximo, &PictureControl::doubleClicked, this, [this] { btnProximoClick(); });
    connect(ui_->btnFechar, &PictureControl::clicked, this, [this] { btnFecharClick(); });
    connect(ui_->btnConfiguracoes, &PictureControl::clicked, this, [this] { btnConfiguracoesClick(); });
    for (PictureControl* botao : {ui_->btnFechar, ui_->btnAnterior, ui_->btnProximo, ui_->btnConfiguracoes}) {
        connect(botao, &PictureControl::mouseDown, this, [this](PictureControl* b) { btnFecharMouseDown(b); });
        connect(botao, &PictureControl::mouseUp, this, [this](PictureControl* b) { btnFecharMouseUp(b); });
    }

    connect(ui_->tab0, &platform::ui::Page::shown, this, [this] { mostrarBotoes(false, true, false); });
    connect(ui_->tab1, &platform::ui::Page::shown, this, [this] { mostrarBotoes(true, true, true); });
    connect(ui_->tab2, &platform::ui::Page::shown, this, [this] { mostrarBotoes(true, true, false); });
    connect(ui_->tab3, &platform::ui::Page::shown, this, [this] { mostrarBotoes(true, true, false); });
    connect(ui_->tab4, &platform::ui::Page::shown, this, [this] { mostrarBotoes(true, false, false); });

    for (int i = 0; i < QuantidadePaginas; ++i) platform::ui::enableWindowDrag(imagemBackGround(i));
}

TformAssistente::~TformAssistente() = default;

void TformAssistente::definirControleVolume(std::string programa, std::vector<std::string> argumentos) {
    programaVolume_ = std::move(programa);
    argumentosVolume_ = std::move(argumentos);
}

platform::ui::PageControl* TformAssistente::paginas() const { return ui_->paginas; }
platform::ui::ProgressBar* TformAssistente::medidorVolume() const { return ui_->medidorVolume; }
PictureControl* TformAssistente::btnFechar() const { return ui_->btnFechar; }
PictureControl* TformAssistente::btnAnterior() const { return ui_->btnAnterior; }
PictureControl* TformAssistente::btnProximo() const { return ui_->btnProximo; }
PictureControl* TformAssistente::btnConfiguracoes() const { return ui_->btnConfiguracoes; }

PictureControl* TformAssistente::imagemBackGround(int pagina) const {
    switch (pagina) {
    case 0: return ui_->imagemBackGround0;
    case 1: return ui_->imagemBackGround1;
    case 2: return ui_->imagemBackGround2;
    case 3: return ui_->imagemBackGround3;
    case 4: return ui_->imagemBackGround4;
    default: return nullptr;
    }
}

void TformAssistente::formShow() {
    ui_->paginas->setActivePageIndex(0);
    try {
        gravador_->Start();
    } catch (const EInOutError& e) {
        // The assistant stays usable, only without its meter.
        if (mostrarErroAudio_) mostrarErroAudio_(e.ErrorCode);
    }
}

void TformAssistente::formClose() {
    gravador_->Stop();
    gravador_->Close();
}

void TformAssistente::formKeyDown(int& key, Qt::KeyboardModifiers) {
    // The key goes on to the focused control in every case.
    switch (key) {
    case platform::ui::keys::kEscape: closeForm(); break;
    case platform::ui::keys::kLeft:
        if (!ui_->btnAnterior->isHidden()) btnAnteriorClick();
        break;
    case platform::ui::keys::kRight:
        if (!ui_->btnProximo->isHidden()) btnProximoClick();
        break;
    default: break;
    }
}

void TformAssistente::btnAnteriorClick() {
    const int i = ui_->paginas->activePageIndex();
    if (i - 1 >= 0) ui_->paginas->setActivePageIndex(i - 1);
}

void TformAssistente::btnProximoClick() {
    const int i = ui_->paginas->activePageIndex();
    if (i + 1 < QuantidadePaginas) ui_->paginas->setActivePageIndex(i + 1);
}

void TformAssistente::btnFecharClick() {
    ui_->paginas->setActivePageIndex(0);
    setModalResult(platform::ui::mrOk);
    if (!isShownModally()) closeForm();
}

void TformAssistente::btnConfiguracoesClick() {
    bool iniciou = false;
    try {
        iniciou = platform::shell::startProgram(programaVolume_, argumentosVolume_);
    } catch (const std::exception&) {
        iniciou = false;
    }
    if (!iniciou)
        platform::ui::showMessage(idiomas_.obterTexto("fmAssistente", "erroAbrirConfiguracoes"),
                                  idiomas_.obterTexto("geral", "nomeAplicacao"));
}

void TformAssistente::mostrarBotoes(bool anterior, bool proximo, bool configuracoes) {
    ui_->btnAnterior->setVisible(anterior);
    ui_->btnProximo->setVisible(proximo);
    ui_->btnConfiguracoes->setVisible(configuracoes);
}

void TformAssistente::btnFecharMouseDown(PictureControl* botao) {
    botao->assignPicture(*imagensBotao_.at(static_cast<std::size_t>(botao->tag() + 1)));
}

void TformAssistente::btnFecharMouseUp(PictureControl* botao) {
    botao->assignPicture(*imagensBotao_.at(static_cast<std::size_t>(botao->tag())));
}

void TformAssistente::gravadorSample(TRecorder* sender) {
    if (!isActiveWindow()) return;
    int nivel = 0;
    for (int i = 0; i < sender->BufSize(); ++i) {
        const int v = std::abs(sender->SampleValue(i));
        if (v > nivel) nivel = v;
    }
    ui_->medidorVolume->setPosition(nivel);
}
