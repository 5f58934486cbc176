// A form described in a Designer file with our controls promoted, exactly as
// README.md tells the windows to do it: every property arrives.

#include "platform/ui/form.h"
#include "ui_TformFixture.h"
#include "widget_events.h"

#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

class TformFixture : public platform::ui::Form {
public:
    TformFixture() { ui.setupUi(this); }
    Ui::TformFixture ui;
};

TEST(DesignerForm, PromotedControlsTakeTheirPropertiesFromTheDescription) {
    ui_test::ensureApplication();
    TformFixture form;
    auto& ui = form.ui;
    EXPECT_EQ(form.size(), QSize(300, 200));

    EXPECT_TRUE(ui.panelFundo->doubleBuffered());
    EXPECT_EQ(ui.panelFundo->bevel(), platform::ui::Panel::Bevel::Lowered);

    ASSERT_TRUE(ui.btnOk->hasPicture());
    EXPECT_EQ(ui.btnOk->pixmap().size(), QSize(4, 4));
    EXPECT_EQ(ui.btnOk->tag(), 6);
    EXPECT_EQ(ui.btnOk->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(ui.btnOk->toolTip(), "OK");
    EXPECT_EQ(ui_test::pixel(ui.btnOk, 0, 0), QColor(255, 0, 0));  // stretched to 8 x 8
    EXPECT_EQ(ui_test::pixel(ui.btnOk, 4, 4), QColor(0, 255, 0));

    EXPECT_EQ(ui.lblSelecione->caption(), "Selecione");
    EXPECT_EQ(QFontInfo(ui.lblSelecione->font()).family(), "Liberation Sans");
    EXPECT_EQ(ui.lblSelecione->font().pixelSize(), 13);
    EXPECT_TRUE(ui.lblSelecione->font().bold());
    EXPECT_EQ(ui.lblSelecione->fontColor(), QColor(Qt::white));
    EXPECT_TRUE(ui.lblSelecione->transparent());
    EXPECT_EQ(ui.lblSelecione->alignment(), Qt::AlignHCenter);
    EXPECT_EQ(ui.lblSelecione->x(), 136);

    EXPECT_EQ(ui.imgPonteiro->angle(), 15.0);
    EXPECT_EQ(ui.listaAfinacoes->itemHeight(), 13);
    EXPECT_EQ(ui.medidorVolume->maximum(), 8192);
    EXPECT_EQ(ui.medidorVolume->orientation(), Qt::Vertical);
    EXPECT_EQ(ui.paginas->pageCount(), 2);
    EXPECT_EQ(ui.paginas->activePageIndex(), 1);
    EXPECT_EQ(ui.paginas->page(1), ui.tab1);
}

}  // namespace
