// The tunings chooser on a small tunings file that also holds tunings the
// list leaves out (3 and 7 strings), so list lines and catalogue indexes
// differ.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTimer>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/form_afinacoes.h"
#include "platform/ui/list_box.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/picture_convert.h"
#include "tests/dialogs/fixture.h"
#include "tests/support/temp_dir.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tunings/xml_afinacao_parser.h"

namespace {

using platform::ui::mrCancel;
using platform::ui::mrOk;

std::string afinacao(const std::string& instrumento, const std::vector<int>& notas) {
    std::string s = "<Afinacao><instrumento>" + instrumento + "</instrumento><numeroCordas>" +
                    std::to_string(notas.size()) + "</numeroCordas><frequenciasMIDI>";
    for (int n : notas) s += "<nota>" + std::to_string(n) + "</nota>";
    return s + "</frequenciasMIDI></Afinacao>";
}

class Afinacoes : public teste_dialogos::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        std::ofstream(pasta / "Afinacoes.xml")
            << "<Afinacoes>" << afinacao("Guitar", {40, 45, 50, 55, 59, 64})   // 0, line 0
            << afinacao("Cavaquinho", {62, 67, 71})                             // 1, not listed
            << afinacao("Bass", {28, 33, 38, 43})                               // 2, line 1
            << afinacao("Guitar 7", {35, 40, 45, 50, 55, 59, 64})               // 3, not listed
            << afinacao("Bass 5", {23, 28, 33, 38, 43}) << "</Afinacoes>";      // 4, line 2
        catalogo.carregar();
        janela = std::make_unique<TformAfinacoes>(*ingles, catalogo, [this] { ++redesenhos; });
    }
    void TearDown() override {
        janela.reset();
        Fixture::TearDown();
    }

    // Shows the chooser modally, does `acao` in it, and gives the result.
    int mostrar(const std::function<void()>& acao) {
        QTimer::singleShot(0, acao);
        return janela->showModal();
    }
    platform::ui::ListBox* lista() const { return janela->listaAfinacoes(); }

    test_support::TempDir pasta{"quindral-dialogs"};
    XMLAfinacaoParser leitor{[](const std::string&, const std::string&) { return std::string(); }};
    GerenciadorAfinacoes catalogo{leitor, pasta / "Afinacoes.xml"};
    int redesenhos = 0;
    std::unique_ptr<TformAfinacoes> janela;
};

TEST_F(Afinacoes, ListsOnlyFourToSixStringTuningsInCatalogueOrder) {
    EXPECT_THAT(lista()->items(),
                ::testing::ElementsAre(catalogo.obterAfinacao(0).obterDescricao(),
                                       catalogo.obterAfinacao(2).obterDescricao(),
                                       catalogo.obterAfinacao(4).obterDescricao()));
    EXPECT_THAT(janela->indicesDasLinhas(), ::testing::ElementsAre(0, 2, 4));
}

TEST_F(Afinacoes, OkEnterAndDoubleClickChooseTheTuningOfTheLine) {
    const std::vector<std::pair<const char*, std::function<void(TformAfinacoes&)>>> formas = {
        {"OK", [](TformAfinacoes& j) { ui_test::click(j.btnOk()); }},
        {"Enter", [](TformAfinacoes& j) { ui_test::key(j.listaAfinacoes(), Qt::Key_Return); }},
        {"double click",
         [](TformAfinacoes& j) {
             const QPoint linha = j.listaAfinacoes()->visualItemRect(j.listaAfinacoes()->item(j.listaAfinacoes()->itemIndex())).center();
             ui_test::mouse(j.listaAfinacoes()->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, linha);
         }},
    };
    for (const auto& [nome, escolher] : formas) {
        SCOPED_TRACE(nome);
        catalogo.selecionarAfinacao(0);
        redesenhos = 0;
        // The line after the 3-string tuning is the bass, tuning 2.
        EXPECT_EQ(mostrar([&] {
                      ui_test::key(lista(), Qt::Key_Down);
                      EXPECT_EQ(lista()->itemIndex(), 1);
                      escolher(*janela);
                  }),
                  mrOk);
        EXPECT_EQ(catalogo.obterIndiceAtual(), 2);
        EXPECT_EQ(redesenhos, 1);

        // The line after the 7-string tuning is the five-string bass, tuning 4.
        EXPECT_EQ(mostrar([&] {
                      ui_test::key(lista(), Qt::Key_Down);
                      escolher(*janela);
                  }),
                  mrOk);
        EXPECT_EQ(catalogo.obterIndiceAtual(), 4);
        EXPECT_EQ(redesenhos, 2);

        // The current line again: closes without redisplaying.
        EXPECT_EQ(mostrar([&] {
                      EXPECT_EQ(lista()->itemIndex(), 2);
                      escolher(*janela);
                  }),
                  mrOk);
        EXPECT_EQ(catalogo.obterIndiceAtual(), 4);
        EXPECT_EQ(redesenhos, 2);
    }
}

TEST_F(Afinacoes, EscapeAndCancelAfterMovingChangeNothing) {
    catalogo.selecionarAfinacao(2);
    EXPECT_EQ(mostrar([&] {
                  EXPECT_EQ(lista()->itemIndex(), 1);
                  EXPECT_EQ(janela->focusWidget(), lista());  // the list has the keyboard
                  ui_test::key(lista(), Qt::Key_Down);
                  ui_test::key(lista(), Qt::Key_Escape);
              }),
              mrCancel);
    EXPECT_EQ(mostrar([&] {
                  EXPECT_EQ(lista()->itemIndex(), 1);  // the current tuning, not the line last chosen
                  ui_test::key(lista(), Qt::Key_Up);
                  ui_test::click(janela->btnCancelar());
              }),
              mrCancel);
    EXPECT_EQ(catalogo.obterIndiceAtual(), 2);
    EXPECT_EQ(redesenhos, 0);
}

TEST_F(Afinacoes, ACurrentTuningThatIsNotListedSelectsNoLineAndOkFallsBackToTheFirst) {
    catalogo.selecionarAfinacao(3);
    EXPECT_EQ(mostrar([&] {
                  EXPECT_EQ(lista()->itemIndex(), -1);
                  ui_test::click(janela->btnOk());
              }),
              mrOk);
    EXPECT_EQ(catalogo.obterIndiceAtual(), 0);
    EXPECT_EQ(redesenhos, 1);
}

TEST_F(Afinacoes, ButtonsShowTheirPressedPictureOnlyWhileHeld) {
    const auto idioma = [&](const char* chave) {
        return platform::ui::toPixmap(*ingles->obterImagem("fmAfinacoes", chave)).toImage();
    };
    janela->show();
    for (const auto& [botao, normal, pressionado] :
         std::vector<std::tuple<platform::ui::PictureControl*, QImage, QImage>>{
             {janela->btnOk(), idioma("imgBtnOk"), idioma("imgBtnOkI")},
             {janela->btnCancelar(), idioma("imgBtnCancelar"), idioma("imgBtnCancelarI")}}) {
        ASSERT_NE(normal, pressionado);
        EXPECT_EQ(botao->pixmap().toImage(), normal);
        ui_test::press(botao, {3, 3}, Qt::MiddleButton);
        EXPECT_EQ(botao->pixmap().toImage(), pressionado);
        ui_test::release(botao, {3, 3}, Qt::MiddleButton);
        EXPECT_EQ(botao->pixmap().toImage(), normal);
    }
    EXPECT_TRUE(janela->isVisible());  // no click with the middle button
    janela->closeForm();
}

TEST_F(Afinacoes, OnlyTheLeftButtonOnTheBackgroundDragsTheWindow) {
    janela->setPosition(platform::ui::FormPosition::Designed);
    janela->show();
    QWidget* fundo = janela->imgFundo();
    const QPoint inicio = janela->pos();
    ui_test::press(fundo, {50, 40}, Qt::RightButton);
    ui_test::mouse(fundo, QEvent::MouseMove, Qt::RightButton, {90, 70});
    ui_test::release(fundo, {90, 70}, Qt::RightButton);
    EXPECT_EQ(janela->pos(), inicio);
    ui_test::press(fundo, {50, 40});
    ui_test::moveHeld(fundo, {80, 60});
    ui_test::release(fundo, {80, 60});
    EXPECT_EQ(janela->pos(), inicio + QPoint(30, 20));
    janela->closeForm();
}

}  // namespace
