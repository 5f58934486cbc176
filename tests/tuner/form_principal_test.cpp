// The main window driven as a user would: clicks, keys, the tool buttons,
// capture on the stepped device and the measuring loop on a manual clock.

#include <gmock/gmock.h>

#include "tests/tuner/fixture.h"

#include "audio/recorder.h"
#include "platform/ui/label.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/rotate_image.h"
#include "tunings/afinacao.h"
#include "tuner/core/medidor_afinacao.h"
#include "ui_TformPrincipal.h"

namespace {

using namespace teste_principal;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using platform::ui::PictureControl;

bool mesmaImagem(const PictureControl& a, const PictureControl& b) {
    return a.hasPicture() && b.hasPicture() && a.pixmap().toImage() == b.pixmap().toImage();
}

const std::string kAtencao = "Attention | ";

TEST_F(Principal, ConstruidaComTextosInstrumentoMidiECordaZeroMarcada) {
    TformPrincipal& p = criar();
    auto& ui = p.controles();
    EXPECT_EQ(p.size(), QSize(802, 532));
    EXPECT_TRUE(p.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(p.caption(), idiomas->obterTexto("geral", "nomeAplicacao"));
    EXPECT_EQ(platform::ui::title(), idiomas->obterTexto("geral", "tituloAplicacao"));
    EXPECT_EQ(ui.lblCordaAfinada->caption(), "String in tune!");
    // The string hint is copied to all six strings.
    EXPECT_EQ(p.imagemCorda(5)->toolTip().toStdString(), idiomas->obterTexto("fmPrincipal", "hintImgCorda"));
    EXPECT_FALSE(ui.lblCordaAfinada->isVisibleTo(&p));
    EXPECT_TRUE(ui.panelDoubleBuffering->doubleBuffered());
    EXPECT_FALSE(p.timer().enabled());
    EXPECT_EQ(p.timer().interval(), 50);
    EXPECT_TRUE(mesmaImagem(*ui.btnAssistente, *ui.imgBtnAssistente));
    EXPECT_TRUE(mesmaImagem(*ui.btnSair, *ui.imgBtnFechar));
    // Bank 0, then program 24 on channel 0, after the library's own default.
    EXPECT_THAT(midi.novo(), HasSubstr("put b0 00 00 time 0 spare 0\nput c0 18 00 time 0 spare 0\n"));
    EXPECT_EQ(p.cordaSelecionada(), 0);
    EXPECT_EQ(tarrachaVisivel(), 0);
    EXPECT_EQ(ui.lblCordaSelecionada->caption(), "Selected: E");
    EXPECT_EQ(ui.lblNomeInstrumento->caption(), "Guitar");
    EXPECT_TRUE(mensagens.empty());
}

TEST_F(Principal, CliqueNaCorda2SoaEMarca) {
    TformPrincipal& p = mostrar();
    midi.novo();
    clicar(p.imagemCorda(2));
    EXPECT_EQ(midi.novo(), "reset\nput 90 32 7f time 0 spare 0\n");  // note 50
    EXPECT_EQ(p.cordaSelecionada(), 2);
    EXPECT_EQ(tarrachaVisivel(), 2);
    EXPECT_TRUE(mesmaImagem(*p.imagemCorda(2), *p.controles().imagemCordaSelecionada));
    EXPECT_TRUE(mesmaImagem(*p.imagemFimCorda(2), *p.controles().imgFimCordaSelecionada3));
    EXPECT_FALSE(p.imagemCorda(0)->hasPicture());
    EXPECT_EQ(p.controles().lblCordaSelecionada->caption(), "Selected: D");
    EXPECT_EQ(p.medidor().cordaSelecionada(), 2);
    // The string end is a string too.
    clicar(p.imagemFimCorda(4));
    EXPECT_EQ(midi.novo(), "reset\nput 90 3b 7f time 0 spare 0\n");
    EXPECT_EQ(tarrachaVisivel(), 4);
}

// Each key in turn from string 0 of the six-string tuning: the note sent
// (-1: none) and the string selected afterwards.
TEST_F(Principal, TecladoSoaEAvancaComRepeticao) {
    TformPrincipal& p = mostrar();
    midi.novo();
    struct Caso {
        Qt::Key tecla;
        bool repeticao;
        int nota;
        int corda;
    };
    const Caso casos[] = {
        {Qt::Key_Right, false, 45, 1}, {Qt::Key_Right, true, 50, 2}, {Qt::Key_Right, true, 55, 3},
        {Qt::Key_Space, false, 55, 3}, {Qt::Key_Left, false, 50, 2}, {Qt::Key_Left, true, 45, 1},
        {Qt::Key_Left, true, 40, 0},   {Qt::Key_Left, false, 64, 5}, {Qt::Key_Right, false, 40, 0},
        {Qt::Key_A, false, -1, 0},     {Qt::Key_Up, false, -1, 0},
    };
    for (const Caso& c : casos) {
        tecla(c.tecla, c.repeticao);
        char esperado[64] = "";
        if (c.nota >= 0) std::snprintf(esperado, sizeof esperado, "reset\nput 90 %02x 7f time 0 spare 0\n", c.nota);
        EXPECT_EQ(midi.novo(), esperado) << "key " << c.tecla;
        EXPECT_EQ(p.cordaSelecionada(), c.corda) << "key " << c.tecla;
        EXPECT_EQ(tarrachaVisivel(), c.corda);
    }
    // The next-string button answers both presses of a double click.
    botao(p.controles().btnProximaCorda, QEvent::MouseButtonPress);
    botao(p.controles().btnProximaCorda, QEvent::MouseButtonRelease);
    botao(p.controles().btnProximaCorda, QEvent::MouseButtonDblClick);
    botao(p.controles().btnProximaCorda, QEvent::MouseButtonRelease);
    EXPECT_EQ(p.cordaSelecionada(), 2);
}

TEST_F(Principal, TeclasDeFuncaoAjudaAssistenteEscolha) {
    TformPrincipal& p = mostrar();
    EXPECT_EQ(microfone.openCount(), 1);
    tecla(Qt::Key_F1);  // no help page in the folder
    EXPECT_THAT(mensagens, ElementsAre(kAtencao + idiomas->obterTexto("fmPrincipal", "erroAbrirAjuda")));

    // Under the assistant the device is free and the timer off; afterwards
    // capture starts again.
    bool livre = false, timerDesligado = false;
    assistente.aoMostrar = [&] {
        livre = !microfone.isOpen();
        timerDesligado = !p.timer().enabled();
    };
    tecla(Qt::Key_F2);
    EXPECT_EQ(assistente.vezes, 1);
    EXPECT_TRUE(livre);
    EXPECT_TRUE(timerDesligado);
    EXPECT_TRUE(microfone.isStarted());
    EXPECT_EQ(microfone.openCount(), 2);
    EXPECT_TRUE(p.timer().enabled());

    // Capture and the timer keep running under the chooser.
    bool capturando = false;
    escolha.aoMostrar = [&] { capturando = microfone.isStarted() && p.timer().enabled(); };
    tecla(Qt::Key_F3);
    EXPECT_EQ(escolha.vezes, 1);
    EXPECT_TRUE(capturando);
    EXPECT_EQ(mensagens.size(), 1u);
}

TEST_F(Principal, AjudaExistenteAbreNoNavegadorOuRelataFalha) {
    TformPrincipal& p = criar();
    // English names its help page; whether it is there decides the message.
    const std::string pagina = idiomas->obterTexto("parametros", "caminhoAjuda");
    ASSERT_FALSE(pagina.empty());
    fs::create_directories((pasta / pagina).parent_path());
    escrever(pagina, "<html></html>");
    const std::string caminho = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);  // no browser program can start
    p.btnAjudaClick();
    p.imgLinkClick();
    setenv("PATH", caminho.c_str(), 1);
    const std::string falha = idiomas->obterTexto("geral", "nomeAplicacao") + " | " +
                              idiomas->obterTexto("geral", "erroAbrirNavegador");
    EXPECT_THAT(mensagens, ElementsAre(falha, falha));
}

struct Exibicao {
    int indice;
    int cordas;
    std::vector<int> slotsVisiveis;
    bool braco4;
};

class PrincipalExibicao : public Principal, public ::testing::WithParamInterface<Exibicao> {};

TEST_P(PrincipalExibicao, SlotsTagsBracoEPrimeiraCorda) {
    const Exibicao& e = GetParam();
    escrever("quindral.ini", "[geral]\r\nafinacaoSelecionada=" + std::to_string(e.indice) + "\r\n");
    TformPrincipal& p = mostrar();
    ASSERT_EQ(p.afinacaoAtual()->obterNumeroCordas(), e.cordas);
    std::vector<int> visiveis;
    for (int s = 0; s < 6; ++s) {
        const bool v = p.imagemCorda(s)->isVisibleTo(&p);
        EXPECT_EQ(v, p.imagemFimCorda(s)->isVisibleTo(&p)) << "slot " << s;
        if (v) {
            visiveis.push_back(s);
            EXPECT_EQ(p.imagemCorda(s)->tag(), static_cast<int>(visiveis.size()) - 1);
            EXPECT_EQ(p.imagemFimCorda(s)->tag(), p.imagemCorda(s)->tag());
        }
    }
    EXPECT_EQ(visiveis, e.slotsVisiveis);
    EXPECT_TRUE(mesmaImagem(*p.controles().imgBraco,
                            e.braco4 ? *p.controles().imgBraco4Cordas : *p.controles().imgBraco6Cordas));
    // The second image from the left sounds and marks the string it stands for.
    midi.novo();
    clicar(p.imagemCorda(1));
    const int corda = e.cordas == 4 ? 0 : 1;
    EXPECT_EQ(p.cordaSelecionada(), corda);
    char esperado[64];
    std::snprintf(esperado, sizeof esperado, "reset\nput 90 %02x 7f time 0 spare 0\n",
                  p.afinacaoAtual()->obterNotaMIDI(corda));
    EXPECT_EQ(midi.novo(), esperado);
    EXPECT_EQ(tarrachaVisivel(), 1);
    // Space replays the same string; the last string's slot.
    tecla(Qt::Key_Space);
    EXPECT_EQ(p.cordaSelecionada(), corda);
    EXPECT_EQ(p.posicaoImagemCorda(e.cordas - 1), e.slotsVisiveis.back());
}

INSTANTIATE_TEST_SUITE_P(Cordas, PrincipalExibicao,
                         ::testing::Values(Exibicao{kBaixo4, 4, {1, 2, 3, 4}, true},
                                           Exibicao{kBaixo5, 5, {0, 1, 2, 3, 4}, false},
                                           Exibicao{kViolao6, 6, {0, 1, 2, 3, 4, 5}, false}),
                         [](const auto& info) { return std::to_string(info.param.cordas) + "Cordas"; });

TEST_F(Principal, OutraAfinacaoLimpaAMarcaAntiga) {
    TformPrincipal& p = mostrar();
    clicar(p.imagemCorda(3));
    ASSERT_EQ(tarrachaVisivel(), 3);
    catalogo->selecionarAfinacao(kBaixo4);
    midi.novo();
    p.carregarAfinacaoAtual();
    EXPECT_EQ(midi.novo(), "");  // loading sounds nothing
    EXPECT_EQ(p.cordaSelecionada(), 0);
    EXPECT_EQ(tarrachaVisivel(), 1);
    EXPECT_FALSE(p.imagemCorda(3)->hasPicture());
    EXPECT_FALSE(p.imagemFimCorda(3)->hasPicture());
    EXPECT_EQ(p.controles().lblNomeInstrumento->caption(), "Bass");
}

// A long name is shortened into 130 pixels, and loading it again does not
// move the label further each time.
TEST_F(Principal, NomeLongoCabeEm130PixelsSemDeslizar) {
    TformPrincipal& p = criar();
    auto* rotulo = p.controles().lblNomeInstrumento;
    catalogo->selecionarAfinacao(kNomeLongo);
    p.carregarAfinacaoAtual();
    const QRect primeira = rotulo->geometry();
    EXPECT_THAT(rotulo->caption(), ::testing::EndsWith("..."));
    EXPECT_LE(rotulo->width(), 130);
    EXPECT_GE(rotulo->x(), 267);
    catalogo->selecionarAfinacao(kViolao6);
    p.carregarAfinacaoAtual();
    EXPECT_EQ(rotulo->x(), 267);
    EXPECT_EQ(rotulo->width(), 130);
    catalogo->selecionarAfinacao(kNomeLongo);
    p.carregarAfinacaoAtual();
    EXPECT_EQ(rotulo->geometry(), primeira);
}

TEST_F(Principal, TresCordasCaiNaPrimeiraExibivel) {
    escrever("quindral.ini", "[geral]\r\nafinacaoSelecionada=3\r\n");
    TformPrincipal& p = criar();
    EXPECT_TRUE(mensagens.empty());
    EXPECT_EQ(catalogo->obterIndiceAtual(), kViolao6);
    EXPECT_EQ(p.afinacaoAtual()->obterNumeroCordas(), 6);
}

// Tunings files the window cannot use: the message, the terminate request,
// no tuning displayed; the remembered tuning is not lost on close.
struct ArquivoRuim {
    const char* nome;
    const char* conteudo;  // null: no file
    const char* chave;
};

class PrincipalArquivoRuim : public Principal, public ::testing::WithParamInterface<ArquivoRuim> {};

TEST_P(PrincipalArquivoRuim, MensagemETermino) {
    const ArquivoRuim& c = GetParam();
    const fs::path arquivo = pasta / "outro.xml";
    if (c.conteudo) escrever("outro.xml", c.conteudo);
    escrever("quindral.ini", "[geral]\r\nidioma=English\r\nafinacaoSelecionada=2\r\ntipoSistema=1\r\n");
    TformPrincipal& p = criar(arquivo);
    EXPECT_THAT(mensagens, ElementsAre(idiomas->obterTexto("geral", "nomeAplicacao") + " | " +
                                       idiomas->obterTexto("fmPrincipal", c.chave)));
    EXPECT_TRUE(platform::ui::terminateRequested());
    EXPECT_FALSE(p.afinacoesCarregadas());
    // Nothing to sound, nothing to crash on.
    tecla(Qt::Key_Space);
    tecla(Qt::Key_Right);
    p.timerTimer();
    p.closeForm();
    EXPECT_EQ(ler("quindral.ini"), "[geral]\r\nidioma=English\r\nafinacaoSelecionada=2\r\ntipoSistema=1\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arquivos, PrincipalArquivoRuim,
    ::testing::Values(ArquivoRuim{"Ausente", nullptr, "erroAbrirXML"},
                      ArquivoRuim{"SemAfinacoes", "<afinacoes></afinacoes>", "erroXML"},
                      ArquivoRuim{"NumeroInvalido",
                                  "<afinacoes><Afinacao><numeroCordas>x</numeroCordas></Afinacao></afinacoes>",
                                  "erroXML"},
                      ArquivoRuim{"SoTresCordas",
                                  "<afinacoes><Afinacao><numeroCordas>3</numeroCordas>"
                                  "<frequenciasMIDI><n>64</n><n>64</n><n>69</n></frequenciasMIDI></Afinacao></afinacoes>",
                                  "erroXML"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Principal, FecharGuardaAfinacaoEscolhida) {
    escrever("quindral.ini", "[geral]\r\nidioma=Portugues\r\nafinacaoSelecionada=0\r\ntipoSistema=2\r\n");
    TformPrincipal& p = mostrar();
    EXPECT_EQ(p.tipoSistema(), 2);
    EXPECT_EQ(p.medidor().tipoSistema(), 2);
    catalogo->selecionarAfinacao(kBaixo5);
    p.carregarAfinacaoAtual();
    clicar(p.btnSair());
    EXPECT_FALSE(p.isVisible());
    EXPECT_TRUE(platform::ui::terminateRequested());
    EXPECT_EQ(ler("quindral.ini"), "[geral]\r\nidioma=English\r\nafinacaoSelecionada=2\r\ntipoSistema=2\r\n");
}

// Pressed picture while held; released outside: normal picture, no action.
TEST_F(Principal, BotaoSoltoForaRestauraENaoAge) {
    TformPrincipal& p = mostrar();
    auto& ui = p.controles();
    struct Botao {
        PictureControl* botao;
        PictureControl* normal;
        PictureControl* pressionado;
    };
    const Botao botoes[] = {{ui.btnSair, ui.imgBtnFechar, ui.imgBtnFecharI},
                            {ui.btnAjuda, ui.imgBtnHelp, ui.imgBtnHelpI},
                            {ui.btnMinimizar, ui.imgBtnMinimizar, ui.imgBtnMinimizarI},
                            {ui.btnAssistente, ui.imgBtnAssistente, ui.imgBtnAssistenteI},
                            {ui.btnAfinacoes, ui.imgBtnAfinacoes, ui.imgBtnAfinacoesI}};
    for (const Botao& b : botoes) {
        botao(b.botao, QEvent::MouseButtonPress);
        EXPECT_TRUE(mesmaImagem(*b.botao, *b.pressionado)) << b.botao->objectName().toStdString();
        botao(b.botao, QEvent::MouseButtonRelease, QPoint(-20, -20));
        EXPECT_TRUE(mesmaImagem(*b.botao, *b.normal)) << b.botao->objectName().toStdString();
    }
    EXPECT_TRUE(p.isVisible());
    EXPECT_FALSE(p.isMinimized());
    EXPECT_TRUE(mensagens.empty());
    EXPECT_EQ(assistente.vezes + escolha.vezes, 0);
    EXPECT_FALSE(platform::ui::terminateRequested());
    // Released inside, the action runs.
    clicar(ui.btnAjuda);
    EXPECT_EQ(mensagens.size(), 1u);
    clicar(ui.btnAfinacoes);
    EXPECT_EQ(escolha.vezes, 1);
}

TEST_F(Principal, AparelhoOcupadoUmaMensagemECordasAindaSoam) {
    microfone.failOpenWith(4);
    TformPrincipal& p = mostrar();
    EXPECT_THAT(mensagens, ElementsAre(kAtencao + idiomas->obterTexto("fmPrincipal", "erroIOOcupado")));
    EXPECT_FALSE(p.timer().enabled());
    midi.novo();
    clicar(p.imagemCorda(1));
    EXPECT_EQ(midi.novo(), "reset\nput 90 2d 7f time 0 spare 0\n");
    // Still busy after the assistant: the message again, the timer stays off.
    tecla(Qt::Key_F2);
    EXPECT_EQ(mensagens.size(), 2u);
    EXPECT_FALSE(p.timer().enabled());
    // Free again: the next assistant round starts capture.
    microfone.failOpenWith(0);
    tecla(Qt::Key_F2);
    EXPECT_EQ(mensagens.size(), 2u);
    EXPECT_TRUE(p.timer().enabled());
    EXPECT_TRUE(microfone.isStarted());
}

TEST_F(Principal, CodigosDeErroDeEntrada) {
    TformPrincipal& p = criar();
    const std::pair<int, const char*> casos[] = {{2, "erroIOSO"},      {4, "erroIOOcupado"}, {6, "erroIODriver"},
                                                 {7, "erroIOMemoria"}, {32, "erroIOSO"},     {1, nullptr},
                                                 {5, nullptr},         {0, nullptr}};
    for (const auto& [codigo, chave] : casos) {
        mensagens.clear();
        p.mostrarErroAudio(codigo);
        if (chave)
            EXPECT_THAT(mensagens, ElementsAre(kAtencao + idiomas->obterTexto("fmPrincipal", chave))) << codigo;
        else
            EXPECT_TRUE(mensagens.empty()) << codigo;
    }
}

// An in-tune E2 through the stepped device and the real analyser: the
// needle stays at the centre, OK turns yellow on the second centred tick,
// and the tuned label shows on the first tick more than 1.2 s later.
TEST_F(Principal, CordaAfinadaPelaJanelaReal) {
    TformPrincipal& p = mostrar();
    ASSERT_TRUE(microfone.isStarted());
    p.timer().setEnabled(false);  // the test ticks by hand
    long inicio = 0;
    for (int i = 0; i < 5; ++i, inicio += TformPrincipal::kTamanhoBuffer) {
        ASSERT_TRUE(microfone.completeBlock(blocoSeno(82.4069, inicio)));
        QApplication::processEvents();
    }
    auto& ui = p.controles();
    const QColor amarelo(255, 255, 0), branco(255, 255, 255);

    p.timerTimer();
    EXPECT_NEAR(p.anguloPonteiro(), 0.0, 1e-9);
    EXPECT_EQ(ui.lblOk->fontColor(), branco);
    relogio.advance(0.07);
    p.timerTimer();
    EXPECT_EQ(ui.lblOk->fontColor(), amarelo);
    EXPECT_FALSE(ui.lblCordaAfinada->isVisibleTo(&p));
    for (int tick = 2; tick <= 17; ++tick) {  // up to 1.19 s
        relogio.advance(0.07);
        p.timerTimer();
    }
    EXPECT_FALSE(ui.lblCordaAfinada->isVisibleTo(&p));
    relogio.advance(0.07);  // 1.26 s
    p.timerTimer();
    EXPECT_TRUE(ui.lblCordaAfinada->isVisibleTo(&p));
    EXPECT_EQ(ui.imgPonteiro->angle(), p.anguloPonteiro());

    // Another string: the needle leaves the centre and the indication goes.
    tecla(Qt::Key_Right);
    relogio.advance(0.05);
    p.timerTimer();
    EXPECT_GT(std::abs(p.anguloPonteiro()), 1.0);
    EXPECT_FALSE(ui.lblCordaAfinada->isVisibleTo(&p));
    EXPECT_EQ(ui.lblOk->fontColor(), branco);
}

TEST_F(Principal, TickNadaFazComOAssistenteAtivo) {
    TformPrincipal& p = mostrar();
    p.timer().setEnabled(false);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(microfone.completeBlock(blocoSeno(100.0, i * 4069L)));
    QApplication::processEvents();
    assistente.show();
    assistente.activateWindow();
    QApplication::setActiveWindow(&assistente);
    if (QApplication::activeWindow() != &assistente) GTEST_SKIP() << "no active window on this platform";
    EXPECT_FALSE(p.medidor().timerTimer().medida);
    EXPECT_EQ(p.anguloPonteiro(), 0.0);
    assistente.hide();
}

// A language without the main window's pictures leaves those controls
// empty; the buttons still act.
TEST_F(Principal, IdiomaSemImagensDeixaControlesVazios) {
    const fs::path dir = pasta / "idioma";
    fs::create_directories(dir);
    std::ofstream(dir / "x.idm", std::ios::binary)
        << "[EspecificacaoIdioma]\r\nnomeIdioma=Mini\r\ncodAplicacao=Quindral 2.0\r\n"
           "[fmPrincipal]\r\nlblCordaSelecionada=Sel:\r\n";
    GerenciadorIdiomas::Ganchos g;
    g.mostrarMensagem = &platform::ui::showMessage;
    g.solicitarTermino = &platform::ui::requestTerminate;
    g.terminoSolicitado = &platform::ui::terminateRequested;
    idiomas = std::make_unique<GerenciadorIdiomas>(dir.string() + "/", g);
    ASSERT_NE(idiomas->selecionar("Mini"), nullptr);
    TformPrincipal& p = mostrar();
    auto& ui = p.controles();
    EXPECT_FALSE(ui.btnAssistente->hasPicture());
    EXPECT_FALSE(ui.imgTitulo->hasPicture());
    EXPECT_FALSE(ui.btnProximaCorda->hasPicture());
    EXPECT_TRUE(ui.btnSair->hasPicture());  // the form's own
    EXPECT_EQ(p.imagemCorda(3)->toolTip(), QString());
    EXPECT_EQ(ui.lblCordaSelecionada->caption(), "Sel: E");
    clicar(ui.btnAssistente);
    EXPECT_EQ(assistente.vezes, 1);
}

}  // namespace
