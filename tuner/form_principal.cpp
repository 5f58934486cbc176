#include "tuner/form_principal.h"

#include <QApplication>
#include <QColor>

#include "app/abrir_no_navegador.h"
#include "app/ajustar_texto_rotulo.h"
#include "audio/fft.h"
#include "audio/recorder.h"
#include "i18n/gerenciador_idiomas.h"
#include "midi/saida_midi.h"
#include "platform/clock/system_clock.h"
#include "platform/core/exceptions.h"
#include "platform/files/files.h"
#include "platform/ui/application.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/rotate_image.h"
#include "platform/ui/window_drag.h"
#include "settings/configuracoes_usuario.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tuner/core/medidor_afinacao.h"
#include "ui_TformPrincipal.h"

// The form's pictures live in a static library: register them explicitly.
static void registrarImagensPrincipal() { Q_INIT_RESOURCE(principal); }

namespace {

using platform::ui::PictureControl;

// Design-time left edge of the two fitted labels: fitting moves a label, so
// each new tuning starts again from here.
constexpr int kEsquerdaRotulos = 267;

bool exibivel(const Afinacao& afinacao) {
    const int n = afinacao.obterNumeroCordas();
    return n >= 4 && n <= 6;
}

}  // namespace

TformPrincipal::TformPrincipal(GerenciadorIdiomas& idiomas, Dependencias dependencias, QWidget* owner)
    : Form(owner, platform::ui::FormBorder::None),
      idiomas_(idiomas),
      dependencias_(std::move(dependencias)),
      ui_(new Ui::TformPrincipal) {
    // 1. The controls.
    registrarImagensPrincipal();
    ui_->setupUi(this);
    setFixedSize(size());
    setAutoFillBackground(true);
    QPalette fundo = palette();
    fundo.setColor(QPalette::Window, QColor(0x1b, 0x15, 0x10));
    setPalette(fundo);
    setKeyPreview(true);
    setAsMainWindow();

    // 2. Language, 3. double buffering.
    aplicarIdioma();
    ui_->panelDoubleBuffering->setDoubleBuffered(true);

    // 4. and 5. Capture and analysis, started on first show.
    gravador_ = std::make_unique<TRecorder>();
    fft_ = std::make_unique<TFFT>();
    captura_afinador::configurar(*gravador_, *fft_);
    espectro_ = std::make_unique<EspectroTFFT>(*fft_, kTaxaAmostragem);
    platform::clock::Clock& relogio =
        dependencias_.relogio ? *dependencias_.relogio : platform::clock::systemClock();
    medidor_ = std::make_unique<MedidorAfinacao>(*espectro_, *this, relogio);
    medidor_->definirAssistenteAtivo(
        [this] { return assistente_ != nullptr && QApplication::activeWindow() == assistente_; });
    timer_.setInterval(50);
    timer_.setOnTimer([this] { timerTimer(); });

    // 6. Slot tables and button pictures.
    imagensCorda_ = {ui_->imgCorda1, ui_->imgCorda2, ui_->imgCorda3,
                     ui_->imgCorda4, ui_->imgCorda5, ui_->imgCorda6};
    imagensFimCorda_ = {ui_->imgFimCorda1, ui_->imgFimCorda2, ui_->imgFimCorda3,
                        ui_->imgFimCorda4, ui_->imgFimCorda5, ui_->imgFimCorda6};
    imagensFimCordaSelecionada_ = {ui_->imgFimCordaSelecionada1, ui_->imgFimCordaSelecionada2,
                                   ui_->imgFimCordaSelecionada3, ui_->imgFimCordaSelecionada4,
                                   ui_->imgFimCordaSelecionada5, ui_->imgFimCordaSelecionada6};
    imagensTarracha_ = {ui_->imgMoverTarracha1, ui_->imgMoverTarracha2, ui_->imgMoverTarracha3,
                        ui_->imgMoverTarracha4, ui_->imgMoverTarracha5, ui_->imgMoverTarracha6};
    imagensBotao_ = {ui_->imgBtnFechar,     ui_->imgBtnFecharI,     ui_->imgBtnHelp,       ui_->imgBtnHelpI,
                     ui_->imgBtnMinimizar,  ui_->imgBtnMinimizarI,  ui_->imgBtnAssistente, ui_->imgBtnAssistenteI,
                     ui_->imgBtnAfinacoes,  ui_->imgBtnAfinacoesI};

    // 7. Normal pictures of the buttons.
    ui_->btnMinimizar->assignPicture(*ui_->imgBtnMinimizar);
    ui_->btnAjuda->assignPicture(*ui_->imgBtnHelp);
    ui_->btnSair->assignPicture(*ui_->imgBtnFechar);
    ui_->btnAssistente->assignPicture(*ui_->imgBtnAssistente);
    ui_->btnAfinacoes->assignPicture(*ui_->imgBtnAfinacoes);
    ligarControles();

    // 8. Reference tones on a nylon-string guitar.
    saidaMidi_ = std::make_unique<SaidaMIDI>(dependencias_.bibliotecaMidi);
    saidaMidi_->selecionarInstrumento(0, kProgramaMidi);

    // 9. Settings.
    configuracoes_ = std::make_unique<ConfiguracoesUsuario>();
    tipoSistema_ = configuracoes_->obterTipoSistema();
    medidor_->definirTipoSistema(tipoSistema_);

    // 10. and 11. The tunings, then the first display.
    gerenciadorAfinacoes_ =
        dependencias_.afinacoes ? dependencias_.afinacoes : &GerenciadorAfinacoes::instancia();
    carregarCatalogo();
}

TformPrincipal::~TformPrincipal() {
    timer_.setEnabled(false);
    medidor_.reset();
    espectro_.reset();
    fft_.reset();
    gravador_.reset();
    delete ui_;
}

void TformPrincipal::carregarCatalogo() {
    const char* erro = nullptr;
    try {
        gerenciadorAfinacoes_->carregar();
        gerenciadorAfinacoes_->selecionarAfinacao(configuracoes_->obterAfinacaoSelecionada());
        if (!selecionarAfinacaoExibivel()) erro = "erroXML";  // nothing the window can show
    } catch (const EFOpenError&) {
        erro = "erroAbrirXML";
    } catch (const Exception&) {
        erro = "erroXML";
    }
    if (erro) {
        mensagem("fmPrincipal", erro, "nomeAplicacao");
        platform::ui::requestTerminate();
        return;
    }
    carregarAfinacaoAtual();
}

bool TformPrincipal::selecionarAfinacaoExibivel() {
    GerenciadorAfinacoes& catalogo = *gerenciadorAfinacoes_;
    if (catalogo.obterQuantidade() == 0) return false;
    if (exibivel(catalogo.obterAfinacaoAtual())) return true;
    for (std::int32_t i = 0; i < catalogo.obterQuantidade(); ++i) {
        if (exibivel(catalogo.obterAfinacao(i))) {
            catalogo.selecionarAfinacao(i);
            return true;
        }
    }
    return false;
}

void TformPrincipal::ligarControles() {
    for (PictureControl* c : imagensCorda_)
        connect(c, &PictureControl::clicked, this, [this](PictureControl* s) { imagemCordaClick(s); });
    for (PictureControl* c : imagensFimCorda_)
        connect(c, &PictureControl::clicked, this, [this](PictureControl* s) { imagemCordaClick(s); });
    // Each click of a fast double click advances one string.
    connect(ui_->btnProximaCorda, &PictureControl::clicked, this, [this](auto*) { btnProximaCordaClick(); });
    connect(ui_->btnProximaCorda, &PictureControl::doubleClicked, this, [this](auto*) { btnProximaCordaClick(); });

    const std::pair<PictureControl*, void (TformPrincipal::*)()> botoes[] = {
        {ui_->btnSair, &TformPrincipal::btnSairClick},
        {ui_->btnAjuda, &TformPrincipal::btnAjudaClick},
        {ui_->btnMinimizar, &TformPrincipal::btnMinimizarClick},
        {ui_->btnAssistente, &TformPrincipal::btnAssistenteClick},
        {ui_->btnAfinacoes, &TformPrincipal::btnAfinacoesClick},
    };
    for (const auto& [botao, acao] : botoes) {
        connect(botao, &PictureControl::mouseDown, this, [this](PictureControl* s, auto, auto) { botaoMouseDown(s); });
        connect(botao, &PictureControl::mouseUp, this, [this](PictureControl* s, auto, auto) { botaoMouseUp(s); });
        connect(botao, &PictureControl::clicked, this, [this, acao = acao](auto*) { (this->*acao)(); });
    }
    connect(ui_->imgLink, &PictureControl::clicked, this, [this](auto*) { imgLinkClick(); });

    platform::ui::enableWindowDrag(ui_->imagemBackground);
    platform::ui::enableWindowDrag(ui_->imgBraco);
    platform::ui::enableWindowDrag(ui_->imgTitulo);
}

void TformPrincipal::definirJanelas(platform::ui::Form* assistente, platform::ui::Form* afinacoes) {
    assistente_ = assistente;
    afinacoes_ = afinacoes;
}

void TformPrincipal::aplicarIdioma() {
    auto texto = [this](const char* chave) { return idiomas_.obterTexto("fmPrincipal", chave); };
    platform::ui::setTitle(idiomas_.obterTexto("geral", "tituloAplicacao"));
    setCaption(idiomas_.obterTexto("geral", "nomeAplicacao"));

    ui_->lblTextoCorda->setCaption(texto("lblTextoCorda"));
    ui_->lblTextoPonteiro->setCaption(texto("lblTextoPonteiro"));
    ui_->lblCordaAfinada->setCaption(texto("lblCordaAfinada"));
    ui_->btnMinimizar->setHint(texto("hintBtnMinimizar"));
    ui_->btnAjuda->setHint(texto("hintBtnAjuda"));
    ui_->btnSair->setHint(texto("hintBtnSair"));
    ui_->btnProximaCorda->setHint(texto("hintBtnProxima"));
    ui_->btnAssistente->setHint(texto("hintBtnAssistente"));
    ui_->btnAfinacoes->setHint(texto("hintBtnAfinacoes"));
    ui_->imgLink->setHint(texto("hintLinkZelmora"));
    ui_->imgCorda1->setHint(texto("hintImgCorda"));
    for (PictureControl* c : {ui_->imgCorda2, ui_->imgCorda3, ui_->imgCorda4, ui_->imgCorda5, ui_->imgCorda6})
        c->setToolTip(ui_->imgCorda1->toolTip());

    auto imagem = [this](PictureControl* controle, const char* chave) {
        controle->setPicture(idiomas_.obterImagem("fmPrincipal", chave));
    };
    imagem(ui_->imgTitulo, "imgTitulo");
    imagem(ui_->imgLink, "imgLink");
    imagem(ui_->imgFundoPonteiro, "imgFundoPonteiro");
    imagem(ui_->btnProximaCorda, "imgBtnProximaCorda");
    imagem(ui_->imgBtnAssistente, "imgBtnAssistente");
    imagem(ui_->imgBtnAssistenteI, "imgBtnAssistenteI");
    imagem(ui_->imgBtnAfinacoes, "imgBtnAfinacoes");
    imagem(ui_->imgBtnAfinacoesI, "imgBtnAfinacoesI");
}

void TformPrincipal::mensagem(const char* secao, const char* chave, const char* chaveTitulo) const {
    platform::ui::showMessage(idiomas_.obterTexto(secao, chave), idiomas_.obterTexto("geral", chaveTitulo));
}

// ---- Capture ---------------------------------------------------------------

void TformPrincipal::formShow() {
    if (mostrada_) return;  // back from being hidden: capture already runs
    mostrada_ = true;
    medidor_->calcularCorrecoes();
    iniciarCaptura();
}

void TformPrincipal::iniciarCaptura() {
    try {
        gravador_->Start();
        timer_.setEnabled(true);
    } catch (const EInOutError& e) {
        timer_.setEnabled(false);
        mostrarErroAudio(e.ErrorCode);
    }
}

void TformPrincipal::mostrarErroAudio(int codigo) {
    const char* chave = nullptr;
    switch (codigo) {
    case 2:
    case 32: chave = "erroIOSO"; break;
    case 4: chave = "erroIOOcupado"; break;
    case 6: chave = "erroIODriver"; break;
    case 7: chave = "erroIOMemoria"; break;
    default: return;
    }
    mensagem("fmPrincipal", chave, "tituloAtencao");
}

void TformPrincipal::timerTimer() { medidor_->timerTimer(); }

// ---- Strings ---------------------------------------------------------------

int TformPrincipal::posicaoImagemCorda(int corda) const {
    return afinacaoAtual_ && afinacaoAtual_->obterNumeroCordas() == 4 ? corda + 1 : corda;
}

void TformPrincipal::carregarAfinacaoAtual() {
    if (!gerenciadorAfinacoes_ || !selecionarAfinacaoExibivel()) return;
    if (afinacaoAtual_) desmarcarCorda();
    afinacaoAtual_ = &gerenciadorAfinacoes_->obterAfinacaoAtual();
    medidor_->definirAfinacao(afinacaoAtual_);

    const int n = afinacaoAtual_->obterNumeroCordas();
    const int primeiro = n == 4 ? 1 : 0;
    for (int s = 0; s < 6; ++s) {
        const bool mostrar = s >= primeiro && s < primeiro + n;
        imagensCorda_[s]->setVisible(mostrar);
        imagensFimCorda_[s]->setVisible(mostrar);
        if (mostrar) {
            imagensCorda_[s]->setTag(s - primeiro);
            imagensFimCorda_[s]->setTag(s - primeiro);
        }
    }
    ui_->imgBraco->assignPicture(n == 4 ? *ui_->imgBraco4Cordas : *ui_->imgBraco6Cordas);

    selecionarCorda(0);

    platform::ui::Label* rotulos[] = {ui_->lblNomeInstrumento, ui_->lblTipoAfinacao};
    ui_->lblNomeInstrumento->setCaption(afinacaoAtual_->obterInstrumento());
    ui_->lblTipoAfinacao->setCaption(afinacaoAtual_->obterTipoAfinacao());
    for (platform::ui::Label* rotulo : rotulos) {
        rotulo->setLeft(kEsquerdaRotulos);
        ajustarTextoRotulo(*rotulo, kLarguraRotulo);
    }
}

void TformPrincipal::selecionarCorda(int corda) {
    if (!afinacaoAtual_) return;
    cordaSelecionada_ = corda;
    medidor_->definirCordaSelecionada(corda);
    ui_->lblCordaSelecionada->setCaption(idiomas_.obterTexto("fmPrincipal", "lblCordaSelecionada") + " " +
                                         afinacaoAtual_->obterNomeCorda(corda));
    const int s = posicaoImagemCorda(corda);
    imagensCorda_[s]->assignPicture(*ui_->imagemCordaSelecionada);
    imagensFimCorda_[s]->assignPicture(*imagensFimCordaSelecionada_[s]);
    imagensTarracha_[s]->setVisible(true);
}

void TformPrincipal::desmarcarCorda() {
    if (!afinacaoAtual_) return;
    const int s = posicaoImagemCorda(cordaSelecionada_);
    imagensCorda_[s]->assignPicture(*ui_->imagemNula);
    imagensFimCorda_[s]->assignPicture(*ui_->imagemNula);
    imagensTarracha_[s]->setVisible(false);
}

void TformPrincipal::imagemCordaClick(PictureControl* sender) {
    if (!afinacaoAtual_ || !sender) return;
    desmarcarCorda();
    saidaMidi_->silenciar();
    cordaSelecionada_ = sender->tag();
    saidaMidi_->enviarMensagem(0x90, static_cast<uint8_t>(afinacaoAtual_->obterNotaMIDI(cordaSelecionada_)), 0x7F);
    selecionarCorda(cordaSelecionada_);
}

void TformPrincipal::btnProximaCordaClick() {
    if (!afinacaoAtual_) return;
    const int i = (cordaSelecionada_ + 1) % afinacaoAtual_->obterNumeroCordas();
    imagemCordaClick(imagensCorda_[posicaoImagemCorda(i)]);
}

void TformPrincipal::formKeyDown(int& key, Qt::KeyboardModifiers) {
    namespace k = platform::ui::keys;
    switch (key) {
    case k::kSpace:
        if (afinacaoAtual_) imagemCordaClick(imagensCorda_[posicaoImagemCorda(cordaSelecionada_)]);
        break;
    case k::kLeft:
        if (afinacaoAtual_) {
            const int i = cordaSelecionada_ > 0 ? cordaSelecionada_ - 1 : afinacaoAtual_->obterNumeroCordas() - 1;
            imagemCordaClick(imagensCorda_[posicaoImagemCorda(i)]);
        }
        break;
    case k::kRight: btnProximaCordaClick(); break;
    case k::kF1: btnAjudaClick(); break;
    case k::kF2: btnAssistenteClick(); break;
    case k::kF3: btnAfinacoesClick(); break;
    default: return;
    }
    key = 0;
}

// ---- Tool buttons ----------------------------------------------------------

void TformPrincipal::botaoMouseDown(PictureControl* botao) {
    botao->assignPicture(*imagensBotao_.at(botao->tag() + 1));
}

void TformPrincipal::botaoMouseUp(PictureControl* botao) { botao->assignPicture(*imagensBotao_.at(botao->tag())); }

void TformPrincipal::btnSairClick() { closeForm(); }

void TformPrincipal::btnMinimizarClick() { platform::ui::minimize(); }

void TformPrincipal::btnAjudaClick() {
    try {
        const std::string caminho =
            platform::files::executableDirectory() + idiomas_.obterTexto("parametros", "caminhoAjuda");
        if (platform::files::fileExists(caminho))
            abrirNoNavegador(caminho);
        else
            mensagem("fmPrincipal", "erroAbrirAjuda", "tituloAtencao");
    } catch (const std::exception&) {
        mensagem("geral", "erroAbrirNavegador", "nomeAplicacao");
    }
}

void TformPrincipal::imgLinkClick() {
    try {
        abrirNoNavegador(idiomas_.obterTexto("parametros", "urlZelmora"));
    } catch (const std::exception&) {
        mensagem("geral", "erroAbrirNavegador", "nomeAplicacao");
    }
}

void TformPrincipal::btnAssistenteClick() {
    timer_.setEnabled(false);
    // The assistant opens the input device with a recorder of its own.
    gravador_->Stop();
    gravador_->Close();
    if (assistente_) assistente_->showModal();
    iniciarCaptura();
}

void TformPrincipal::btnAfinacoesClick() {
    // The chooser itself makes its tuning current and calls carregarAfinacaoAtual.
    if (afinacoes_) afinacoes_->showModal();
}

void TformPrincipal::formClose() {
    // Without a loaded catalogue the remembered index is kept, not reset to 0.
    const std::int32_t indice = afinacaoAtual_ ? gerenciadorAfinacoes_->obterIndiceAtual()
                                               : configuracoes_->obterAfinacaoSelecionada();
    const Idioma* idioma = idiomas_.obterIdiomaAtual();
    configuracoes_->gravar(indice, tipoSistema_, idioma ? idioma->obterNomeIdioma() : std::string());
}

// ---- Needle panel ----------------------------------------------------------

double TformPrincipal::anguloPonteiro() const { return ui_->imgPonteiro->angle(); }
void TformPrincipal::definirAnguloPonteiro(double graus) { ui_->imgPonteiro->setAngle(graus); }
void TformPrincipal::definirOkAmarelo(bool amarelo) {
    ui_->lblOk->setFontColor(amarelo ? QColor(255, 255, 0) : QColor(255, 255, 255));
}
void TformPrincipal::definirAfinadaVisivel(bool visivel) { ui_->lblCordaAfinada->setVisible(visivel); }
void TformPrincipal::desligarDoubleBuffering() { ui_->panelDoubleBuffering->setDoubleBuffered(false); }

PictureControl* TformPrincipal::btnSair() const { return ui_->btnSair; }
