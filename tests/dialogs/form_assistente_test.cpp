// The setup assistant as a user meets it: pages, buttons and keys, the
// level meter on a hand-driven input device, and the volume-control button.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTimer>

#include <cstdint>
#include <tuple>
#include <vector>

#include "audio/recorder.h"
#include "dialogs/form_assistente.h"
#include "platform/ui/page_control.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/picture_convert.h"
#include "platform/ui/progress_bar.h"
#include "platform/wavein/stepped_device.h"
#include "tests/dialogs/fixture.h"

namespace {

using platform::ui::mrCancel;
using platform::ui::mrOk;

class Assistente : public teste_dialogos::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        janela = std::make_unique<TformAssistente>(*ingles, [this](int codigo) { errosAudio.push_back(codigo); });
    }
    void TearDown() override {
        if (janela->isVisible()) janela->closeForm();
        janela.reset();
        Fixture::TearDown();
    }

    int pagina() const { return janela->paginas()->activePageIndex(); }
    void tecla(Qt::Key k) { ui_test::key(janela.get(), k); }

    // One block of the input, delivered as the driver would report it.
    void bloco(std::uint8_t byte) {
        ASSERT_TRUE(dispositivo.completeBlock(std::vector<std::uint8_t>(256, byte)));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    int medidor() const { return janela->medidorVolume()->position(); }

    platform::wavein::SteppedDevice dispositivo;
    std::vector<int> errosAudio;
    std::unique_ptr<TformAssistente> janela;
};

TEST_F(Assistente, KeysMoveWithinThePagesEscapeCancelsAndTheNextShowingStartsOnPageZero) {
    std::vector<int> paginas;
    QTimer::singleShot(0, [&] {
        tecla(Qt::Key_Left);  // no previous button on page 0
        paginas.push_back(pagina());
        for (int i = 0; i < 4; ++i) tecla(Qt::Key_Right);
        paginas.push_back(pagina());
        tecla(Qt::Key_Right);  // no next button on page 4
        paginas.push_back(pagina());
        tecla(Qt::Key_Left);
        paginas.push_back(pagina());
        tecla(Qt::Key_Escape);
    });
    EXPECT_EQ(janela->showModal(), mrCancel);
    EXPECT_THAT(paginas, ::testing::ElementsAre(0, 4, 4, 3));
    EXPECT_EQ(pagina(), 3);  // where it was left, until it shows again

    QTimer::singleShot(0, [&] {
        paginas.push_back(pagina());
        tecla(Qt::Key_Right);
        ui_test::click(janela->btnFechar());
    });
    EXPECT_EQ(janela->showModal(), mrOk);
    EXPECT_EQ(paginas.back(), 0);
    EXPECT_EQ(pagina(), 0);  // the close button goes back to page 0 first
}

TEST_F(Assistente, EachPageShowsItsOwnButtons) {
    // By page: previous, next, volume control.
    const std::vector<std::tuple<bool, bool, bool>> botoes = {
        {false, true, false}, {true, true, true}, {true, true, false}, {true, true, false}, {true, false, false},
    };
    const auto conferir = [&](int p) {
        SCOPED_TRACE(p);
        ASSERT_EQ(pagina(), p);
        const auto& [anterior, proximo, volume] = botoes[static_cast<std::size_t>(p)];
        EXPECT_EQ(janela->btnAnterior()->isVisible(), anterior);
        EXPECT_EQ(janela->btnProximo()->isVisible(), proximo);
        EXPECT_EQ(janela->btnConfiguracoes()->isVisible(), volume);
    };
    janela->show();
    for (int p = 0; p < 4; ++p) {
        conferir(p);
        ui_test::click(janela->btnProximo());
    }
    conferir(4);
    ui_test::click(janela->btnAnterior());
    conferir(3);
}

TEST_F(Assistente, DoubleClickOnNextMovesTwoPages) {
    janela->show();
    QWidget* proximo = janela->btnProximo();
    ui_test::press(proximo, {5, 5});
    ui_test::release(proximo, {5, 5});
    ui_test::mouse(proximo, QEvent::MouseButtonDblClick, Qt::LeftButton, {5, 5});
    ui_test::release(proximo, {5, 5});
    EXPECT_EQ(pagina(), 2);
}

TEST_F(Assistente, ButtonsShowTheirPressedPictureWhileAnyMouseButtonIsHeld) {
    janela->show();
    ui_test::click(janela->btnProximo());  // page 1: every button shown
    const auto idioma = [&](const char* chave) {
        return platform::ui::toPixmap(*ingles->obterImagem("fmAssistente", chave)).toImage();
    };
    const std::vector<std::tuple<platform::ui::PictureControl*, QImage, QImage>> botoes = {
        {janela->btnFechar(), QPixmap(":/principal/imgBtnFechar.svg").toImage(),
         QPixmap(":/principal/imgBtnFecharI.svg").toImage()},
        {janela->btnAnterior(), idioma("imgBtnAnterior"), idioma("imgBtnAnteriorI")},
        {janela->btnProximo(), idioma("imgBtnProximo"), idioma("imgBtnProximoI")},
        {janela->btnConfiguracoes(), idioma("imgBtnConfiguracoes"), idioma("imgBtnConfiguracoesI")},
    };
    for (const auto& [botao, normal, pressionado] : botoes) {
        SCOPED_TRACE(botao->objectName().toStdString());
        ASSERT_FALSE(normal.isNull());
        ASSERT_NE(normal, pressionado);
        EXPECT_EQ(botao->pixmap().toImage(), normal);
        ui_test::press(botao, {3, 3}, Qt::RightButton);
        EXPECT_EQ(botao->pixmap().toImage(), pressionado);
        ui_test::release(botao, {3, 3}, Qt::RightButton);
        EXPECT_EQ(botao->pixmap().toImage(), normal);
    }
    EXPECT_EQ(pagina(), 1);  // right clicks are no clicks
}

TEST_F(Assistente, CapturesOnlyWhileShownInItsOwnFormat) {
    EXPECT_EQ(dispositivo.openCount(), 0);  // no automatic start
    janela->show();
    EXPECT_TRUE(dispositivo.isStarted());
    EXPECT_EQ(dispositivo.lastFormat().samplesPerSec, 11025u);
    EXPECT_EQ(dispositivo.lastFormat().channels, 1);
    EXPECT_EQ(dispositivo.lastFormat().bitsPerSample, 8);
    EXPECT_EQ(janela->gravador().BufSize(), 256);
    janela->closeForm();
    EXPECT_FALSE(dispositivo.isOpen());
}

TEST_F(Assistente, MeterShowsTheBlockPeakAndFreezesWhileAnotherWindowIsActive) {
    janela->show();
    ASSERT_TRUE(teste_dialogos::ativar(janela.get()));
    // byte: the meter after a block of it
    for (const auto& [byte, nivel] : std::vector<std::pair<std::uint8_t, int>>{
             {128, 0}, {0, 8192}, {128, 0}, {255, 8128}, {96, 2048}, {160, 2048}}) {
        bloco(byte);
        EXPECT_EQ(medidor(), nivel) << "byte " << int(byte);
    }
    // One loud frame among silence is the block's peak.
    std::vector<std::uint8_t> pico(256, 128);
    pico[200] = 0;
    ASSERT_TRUE(dispositivo.completeBlock(pico));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(medidor(), 8192);

    QWidget outra;
    outra.resize(50, 50);
    outra.show();
    ASSERT_TRUE(teste_dialogos::ativar(&outra));
    bloco(128);
    EXPECT_EQ(medidor(), 8192);

    ASSERT_TRUE(teste_dialogos::ativar(janela.get()));
    bloco(128);
    EXPECT_EQ(medidor(), 0);
}

TEST_F(Assistente, AnInputThatCannotOpenIsReportedAndTheAssistantStaysUsable) {
    dispositivo.failOpenWith(4);  // already allocated
    janela->show();
    EXPECT_THAT(errosAudio, ::testing::ElementsAre(4));
    EXPECT_TRUE(janela->isVisible());
    tecla(Qt::Key_Right);
    tecla(Qt::Key_Right);
    tecla(Qt::Key_Right);
    EXPECT_EQ(pagina(), 3);
    EXPECT_EQ(medidor(), 0);
    janela->closeForm();

    // Once the device is free again, the next showing captures.
    dispositivo.failOpenWith(0);
    janela->show();
    EXPECT_TRUE(dispositivo.isStarted());
    EXPECT_THAT(errosAudio, ::testing::ElementsAre(4));
}

TEST_F(Assistente, VolumeControlThatCannotStartShowsTheMessage) {
    janela->show();
    ui_test::click(janela->btnProximo());
    janela->definirControleVolume("quindral-no-such-volume-control", {"--tab=4"});
    ui_test::click(janela->btnConfiguracoes());
    EXPECT_THAT(mensagens, ::testing::ElementsAre(ingles->obterTexto("geral", "nomeAplicacao") + " | " +
                                                  ingles->obterTexto("fmAssistente", "erroAbrirConfiguracoes")));
    EXPECT_TRUE(janela->isVisible());

    mensagens.clear();
    janela->definirControleVolume("true", {});
    ui_test::click(janela->btnConfiguracoes());
    EXPECT_TRUE(mensagens.empty());
}

TEST_F(Assistente, OnlyTheLeftButtonOnAPageBackgroundDragsTheWindow) {
    janela->setPosition(platform::ui::FormPosition::Designed);
    janela->show();
    for (int p = 0; p < TformAssistente::QuantidadePaginas; ++p) {
        janela->paginas()->setActivePageIndex(p);
        QWidget* fundo = janela->imagemBackGround(p);
        const QPoint inicio = janela->pos();
        ui_test::press(fundo, {50, 40}, Qt::RightButton);
        ui_test::mouse(fundo, QEvent::MouseMove, Qt::RightButton, {90, 70});
        ui_test::release(fundo, {90, 70}, Qt::RightButton);
        EXPECT_EQ(janela->pos(), inicio) << "page " << p;
        ui_test::press(fundo, {50, 40});
        ui_test::moveHeld(fundo, {60, 45});
        ui_test::release(fundo, {60, 45});
        EXPECT_EQ(janela->pos(), inicio + QPoint(10, 5)) << "page " << p;
    }
}

}  // namespace
