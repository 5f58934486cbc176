#include "i18n/lista_idiomas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The application object lives in main(), so it goes before Qt's own
// process-wide objects do.
void aplicacao() { ASSERT_NE(QApplication::instance(), nullptr); }

const std::vector<std::string> kNomes = {"English", "Portugu\xEAs (Brasil)", "Espa\xF1ol"};

// Runs `acao` once the dialog is up, as a user would.
int escolherCom(TformListaIdiomas& dialogo, const std::vector<std::string>& nomes, int indice,
                std::function<void(TformListaIdiomas&)> acao, bool* executada = nullptr) {
    QTimer::singleShot(0, &dialogo, [&dialogo, acao, executada] {
        if (executada) *executada = true;
        acao(dialogo);
    });
    return dialogo.escolher(nomes, indice);
}

QPoint centroDoItem(TformListaIdiomas& d, int linha) {
    return d.listaIdiomas->visualItemRect(d.listaIdiomas->item(linha)).center();
}

struct Caso {
    const char* descricao;
    int indice;
    std::function<void(TformListaIdiomas&)> acao;
    int esperado;
};

TEST(ListaIdiomas, GivesTheChoiceOnlyWhenClosedWithOk) {
    aplicacao();
    const Caso casos[] = {
        {"OK on the preselected item", 1, [](auto& d) { d.btnOk->click(); }, 1},
        {"Cancel", 1, [](auto& d) { d.btnCancelar->click(); }, -1},
        {"Esc", 1, [](auto& d) { QTest::keyClick(d.listaIdiomas, Qt::Key_Escape); }, -1},
        {"close box", 1, [](auto& d) { d.close(); }, -1},
        {"OK with nothing selected", -1, [](auto& d) { d.btnOk->click(); }, -1},
        {"Enter with nothing selected", -1, [](auto& d) { QTest::keyClick(d.listaIdiomas, Qt::Key_Return); }, -1},
        {"pick with the mouse, then Enter", -1,
         [](auto& d) {
             QTest::mouseClick(d.listaIdiomas->viewport(), Qt::LeftButton, {}, centroDoItem(d, 2));
             QTest::keyClick(d.listaIdiomas, Qt::Key_Return);
         },
         2},
        {"arrow keys, then Enter", 0,
         [](auto& d) {
             QTest::keyClick(d.listaIdiomas, Qt::Key_Down);
             QTest::keyClick(d.listaIdiomas, Qt::Key_Enter);
         },
         1},
        {"double click on an item", -1,
         [](auto& d) {
             // The first click of the pair selects, the second confirms.
             QTest::mouseClick(d.listaIdiomas->viewport(), Qt::LeftButton, {}, centroDoItem(d, 0));
             QTest::mouseDClick(d.listaIdiomas->viewport(), Qt::LeftButton, {}, centroDoItem(d, 0));
         },
         0},
        {"double click below the items", 2,
         [](auto& d) { QTest::mouseDClick(d.listaIdiomas->viewport(), Qt::LeftButton, {}, QPoint(20, 170)); }, 2},
    };
    TformListaIdiomas dialogo;
    for (const auto& c : casos) {
        EXPECT_EQ(escolherCom(dialogo, kNomes, c.indice, c.acao), c.esperado) << c.descricao;
        EXPECT_FALSE(dialogo.isVisible()) << c.descricao;
    }
}

TEST(ListaIdiomas, ShowsTheNamesInOrderWithFocusOnTheList) {
    aplicacao();
    TformListaIdiomas dialogo;
    QStringList mostrados;
    bool focoNaLista = false, okPadrao = false;
    escolherCom(dialogo, kNomes, -1, [&](auto& d) {
        for (int i = 0; i < d.listaIdiomas->count(); ++i) mostrados << d.listaIdiomas->item(i)->text();
        focoNaLista = d.focusWidget() == d.listaIdiomas;
        okPadrao = d.btnOk->isDefault();
        EXPECT_TRUE(d.listaIdiomas->selectedItems().isEmpty());
        EXPECT_TRUE(d.windowTitle().isEmpty());
        EXPECT_TRUE(d.btnOk->text().isEmpty());
        EXPECT_FALSE(d.btnOk->icon().isNull());
        EXPECT_FALSE(d.btnCancelar->icon().isNull());
        d.reject();
    });
    EXPECT_EQ(mostrados, (QStringList{"English", QString::fromUtf8("Português (Brasil)"), QString::fromUtf8("Español")}));
    EXPECT_TRUE(focoNaLista);
    EXPECT_TRUE(okPadrao);

    // Shown again with fewer names: the old ones are gone.
    int contagem = -1;
    escolherCom(dialogo, {"English"}, 0, [&](auto& d) {
        contagem = d.listaIdiomas->count();
        d.reject();
    });
    EXPECT_EQ(contagem, 1);
}

TEST(ListaIdiomas, EmptyListGivesNothing) {
    aplicacao();
    TformListaIdiomas dialogo;
    EXPECT_EQ(escolherCom(dialogo, {}, -1, [](auto& d) { d.btnOk->click(); }), -1);
    EXPECT_EQ(escolherCom(dialogo, {}, 0, [](auto& d) {
                  QTest::mouseDClick(d.listaIdiomas->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
              }),
              -1);
}

TEST(ListaIdiomas, ClosesAtOnceWhileTerminationIsPending) {
    aplicacao();
    TformListaIdiomas dialogo([] { return true; });
    bool mostrado = false;
    EXPECT_EQ(escolherCom(dialogo, kNomes, 1, [](auto& d) { d.btnOk->click(); }, &mostrado), -1);
    EXPECT_FALSE(mostrado);
    QApplication::processEvents();  // the pending action finds no dialog to act on
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs this too, without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
