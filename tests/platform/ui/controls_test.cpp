// Controls as the forms use them: picture buttons, the rotating needle,
// labels with real font metrics, key preview, window drag, list box, pages,
// panels, picture conversion.

#include "platform/ui/capture.h"
#include "platform/ui/fonts.h"
#include "platform/ui/form.h"
#include "platform/ui/keys.h"
#include "platform/ui/label.h"
#include "platform/ui/list_box.h"
#include "platform/ui/page_control.h"
#include "platform/ui/panel.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/picture_convert.h"
#include "platform/ui/rotate_image.h"
#include "platform/ui/text.h"
#include "platform/ui/window_drag.h"
#include "tests/support/temp_dir.h"
#include "widget_events.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <tuple>

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::ui::PictureControl;

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ui_test::ensureApplication(); }
};

// ---- picture buttons -------------------------------------------------------

struct ButtonFixture {
    QWidget form;
    PictureControl button{&form}, normal{&form}, pressed{&form};
    int clicks = 0, doubleClicks = 0;
    std::vector<Qt::MouseButton> downs, ups;

    ButtonFixture() {
        form.resize(100, 100);
        button.setGeometry(10, 10, 20, 20);
        normal.setPicture(ui_test::solid(Qt::blue));
        pressed.setPicture(ui_test::solid(Qt::red));
        button.assignPicture(normal);
        platform::ui::bindPictureButton(&button, &normal, &pressed);
        QObject::connect(&button, &PictureControl::clicked, [this](PictureControl* s) {
            EXPECT_EQ(s, &button);
            // The normal picture is back before the action runs.
            EXPECT_EQ(shown(), QColor(Qt::blue));
            ++clicks;
        });
        QObject::connect(&button, &PictureControl::doubleClicked, [this](PictureControl*) { ++doubleClicks; });
        QObject::connect(&button, &PictureControl::mouseDown,
                         [this](PictureControl*, Qt::MouseButton b, QPoint) { downs.push_back(b); });
        QObject::connect(&button, &PictureControl::mouseUp,
                         [this](PictureControl*, Qt::MouseButton b, QPoint) { ups.push_back(b); });
    }
    QColor shown() { return ui_test::pixel(&button, 5, 5); }
};

TEST_F(ControlsTest, PictureButtonShowsPressedPictureWhileHeldAndActsOnReleaseInside) {
    ButtonFixture f;
    ui_test::press(&f.button, {5, 5});
    EXPECT_EQ(f.shown(), QColor(Qt::red));
    EXPECT_EQ(f.clicks, 0);
    ui_test::release(&f.button, {6, 6});
    EXPECT_EQ(f.shown(), QColor(Qt::blue));
    EXPECT_EQ(f.clicks, 1);
}

TEST_F(ControlsTest, ReleaseOutsideRestoresThePictureAndRunsNothing) {
    ButtonFixture f;
    ui_test::press(&f.button, {5, 5});
    ui_test::moveHeld(&f.button, {40, 5});
    ui_test::release(&f.button, {40, 5});  // the control keeps the mouse while held
    EXPECT_EQ(f.shown(), QColor(Qt::blue));
    EXPECT_EQ(f.clicks, 0);
}

TEST_F(ControlsTest, OtherButtonsSwapPicturesButDoNotClick) {
    ButtonFixture f;
    ui_test::press(&f.button, {5, 5}, Qt::RightButton);
    EXPECT_EQ(f.shown(), QColor(Qt::red));
    ui_test::release(&f.button, {5, 5}, Qt::RightButton);
    EXPECT_EQ(f.shown(), QColor(Qt::blue));
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(f.downs, std::vector<Qt::MouseButton>{Qt::RightButton});
}

TEST_F(ControlsTest, DoubleClickGivesOneClickAndOneDoubleClick) {
    ButtonFixture f;
    ui_test::press(&f.button, {5, 5});
    ui_test::release(&f.button, {5, 5});
    ui_test::mouse(&f.button, QEvent::MouseButtonDblClick, Qt::LeftButton, {5, 5});
    EXPECT_EQ(f.shown(), QColor(Qt::red));
    ui_test::release(&f.button, {5, 5});
    EXPECT_EQ(f.clicks, 1);
    EXPECT_EQ(f.doubleClicks, 1);
    EXPECT_EQ(f.downs.size(), 2u);
    EXPECT_EQ(f.ups.size(), 2u);
}

TEST_F(ControlsTest, PictureControlDrawsAtCornerCentredOrStretched) {
    PictureControl c;
    c.resize(40, 40);
    c.setPicture(ui_test::solid(Qt::green, 10, 10));
    EXPECT_EQ(ui_test::pixel(&c, 2, 2), QColor(Qt::green));
    EXPECT_NE(ui_test::pixel(&c, 20, 20), QColor(Qt::green));
    c.setCenter(true);
    EXPECT_NE(ui_test::pixel(&c, 2, 2), QColor(Qt::green));
    EXPECT_EQ(ui_test::pixel(&c, 20, 20), QColor(Qt::green));
    c.setStretch(true);
    EXPECT_EQ(ui_test::pixel(&c, 2, 38), QColor(Qt::green));
    c.setPicture(static_cast<const platform::Picture*>(nullptr));  // "no picture" empties it
    EXPECT_FALSE(c.hasPicture());
}

TEST_F(ControlsTest, TransparentPictureLosesItsBottomLeftColour) {
    QWidget back;
    back.resize(20, 20);
    back.setAutoFillBackground(true);
    QPalette p = back.palette();
    p.setColor(QPalette::Window, Qt::yellow);
    back.setPalette(p);
    PictureControl c(&back);
    c.resize(20, 20);
    QPixmap picture = ui_test::solid(Qt::magenta);
    {
        QPainter painter(&picture);
        painter.fillRect(5, 5, 10, 10, Qt::black);
    }
    c.setPicture(picture);
    c.setTransparent(true);
    EXPECT_EQ(ui_test::pixel(&back, 1, 1), QColor(Qt::yellow));
    EXPECT_EQ(ui_test::pixel(&back, 10, 10), QColor(Qt::black));
}

// ---- rotating picture ------------------------------------------------------

TEST_F(ControlsTest, RotateImageTurnsCounterClockwiseAboutItsCentre) {
    platform::ui::RotateImage needle;
    needle.resize(61, 61);
    // A bar from the centre to the right edge.
    QPixmap picture(61, 61);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.fillRect(30, 28, 31, 5, Qt::black);
    }
    needle.setPicture(picture);
    needle.setCenter(true);
    EXPECT_EQ(needle.angle(), 0.0);
    EXPECT_LT(ui_test::pixel(&needle, 55, 30).lightness(), 64);

    needle.setAngle(90);  // counter-clockwise: the bar now points up
    EXPECT_LT(ui_test::pixel(&needle, 30, 5).lightness(), 64);
    EXPECT_GT(ui_test::pixel(&needle, 55, 30).lightness(), 192);
    EXPECT_GT(ui_test::pixel(&needle, 30, 55).lightness(), 192);

    needle.setAngle(-90);  // clockwise: down
    EXPECT_LT(ui_test::pixel(&needle, 30, 55).lightness(), 64);
    EXPECT_EQ(needle.angle(), -90.0);
}

TEST_F(ControlsTest, RotateImageRedrawsOnlyWhenTheAngleChanges) {
    platform::ui::RotateImage needle;
    needle.setAngle(12.5);
    needle.setAngle(12.5);
    needle.setAngle(0.0);
    needle.setAngle(0.0);
    EXPECT_EQ(needle.angleRedraws(), 2);
    EXPECT_EQ(needle.angle(), 0.0);
}

// ---- labels ----------------------------------------------------------------

TEST_F(ControlsTest, FormFontsResolveToLiberationSansAtPixelSizes) {
    for (const char* family : {"Arial", "MS Sans Serif"}) {
        SCOPED_TRACE(family);
        QFont f = platform::ui::formFont(family, 12, true);
        EXPECT_EQ(QFontInfo(f).family(), "Liberation Sans");
        EXPECT_EQ(QFontInfo(f).pixelSize(), 12);
        EXPECT_TRUE(QFontInfo(f).bold());
    }
}

TEST_F(ControlsTest, LabelSizesItselfToItsTextKeepingTheRightEdgeWhenRightAligned) {
    QWidget parent;
    platform::ui::Label label(&parent);
    label.setFont(platform::ui::formFont("Arial", 13, true));
    QFont reference("Liberation Sans");
    reference.setPixelSize(13);
    reference.setBold(true);
    const QFontMetrics metrics(reference);

    label.move(100, 50);
    label.setCaption("Viol\xE3o de 6 cordas");
    EXPECT_EQ(label.width(), metrics.horizontalAdvance(QString::fromUtf8("Violão de 6 cordas")));
    EXPECT_EQ(label.height(), metrics.height());
    EXPECT_EQ(label.x(), 100);

    label.setCaption("Linha 1\r\nLinha dois");
    EXPECT_EQ(label.width(), metrics.horizontalAdvance("Linha dois"));
    EXPECT_EQ(label.height(), 2 * metrics.height());
    EXPECT_EQ(label.caption(), "Linha 1\r\nLinha dois");

    label.setCaption("");  // measures as one blank, never zero wide
    EXPECT_EQ(label.width(), metrics.horizontalAdvance(" "));

    label.setAlignment(Qt::AlignRight);
    label.setCaption("ab");
    const int right = label.x() + label.width();
    label.setCaption("abcdef");
    EXPECT_EQ(label.x() + label.width(), right);
}

TEST_F(ControlsTest, LabelKeepsAGivenWidthUntilItsTextChangesAndFixedLabelsNeverResize) {
    platform::ui::Label label;
    label.setFont(platform::ui::formFont("Arial", 12));
    label.setCaption("Guitarra");
    const int natural = label.width();
    label.setWidth(130);
    label.setAlignment(Qt::AlignHCenter);
    EXPECT_EQ(label.width(), 130);
    label.setCaption("Guitarra...");
    EXPECT_GT(label.width(), natural);
    EXPECT_LT(label.width(), 130);

    platform::ui::Label fixed;
    fixed.setAutoSize(false);
    fixed.resize(241, 48);
    fixed.setCaption("um texto bem mais longo que a largura dada ao r\xF3tulo fixo");
    EXPECT_EQ(fixed.size(), QSize(241, 48));
}

TEST_F(ControlsTest, LabelDrawsInItsFontColourOverItsBackgroundUnlessTransparent) {
    QWidget back;
    back.resize(60, 30);
    back.setAutoFillBackground(true);
    QPalette p = back.palette();
    p.setColor(QPalette::Window, Qt::blue);
    back.setPalette(p);
    platform::ui::Label label(&back);
    label.setFont(platform::ui::formFont("Arial", 20, true));
    label.setFontColor(Qt::white);
    label.setColor(Qt::black);
    label.setCaption("\x97\x97");  // two em dashes: a solid stroke
    auto colours = [&] {
        QImage image = back.grab().toImage();
        bool white = false, blue = false, black = false;
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x) {
                QColor c = image.pixelColor(x, y);
                white |= c == QColor(Qt::white);
                blue |= c == QColor(Qt::blue);
                black |= c == QColor(Qt::black);
            }
        return std::tuple(white, blue, black);
    };
    EXPECT_EQ(colours(), std::tuple(true, false, true));
    label.setTransparent(true);
    EXPECT_EQ(colours(), std::tuple(true, true, false));
}

// ---- key preview -----------------------------------------------------------

struct KeyForm : platform::ui::Form {
    std::vector<int> keys;
    bool consume = false;
    platform::ui::ListBox* list = new platform::ui::ListBox(this);
    KeyForm() {
        resize(120, 120);
        list->setGeometry(0, 0, 100, 100);
        list->setItems({"a", "b", "c"});
        list->setItemIndex(0);
    }
    void formKeyDown(int& key, Qt::KeyboardModifiers) override {
        keys.push_back(key);
        if (consume) key = 0;
    }
};

TEST_F(ControlsTest, KeyPreviewSeesKeysBeforeTheControlsIncludingRepeats) {
    KeyForm form;
    form.setKeyPreview(true);
    ui_test::key(form.list, Qt::Key_Right);
    ui_test::key(form.list, Qt::Key_Right, true);
    ui_test::key(form.list, Qt::Key_Right, true);
    ui_test::key(form.list, Qt::Key_F1);
    ui_test::key(&form, Qt::Key_Space);  // no control has the focus
    using namespace platform::ui::keys;
    EXPECT_EQ(form.keys, (std::vector<int>{kRight, kRight, kRight, kF1, kSpace}));

    // Not consumed, a key goes on to the control; consumed, it does not.
    ui_test::key(form.list, Qt::Key_Down);
    EXPECT_EQ(form.list->itemIndex(), 1);
    form.consume = true;
    ui_test::key(form.list, Qt::Key_Down);
    EXPECT_EQ(form.list->itemIndex(), 1);
}

TEST_F(ControlsTest, WithoutKeyPreviewOnlyTheFormsOwnKeysReachIt) {
    KeyForm form;
    ui_test::key(form.list, Qt::Key_Down);
    ui_test::key(&form, Qt::Key_Escape);
    EXPECT_EQ(form.keys, std::vector<int>{platform::ui::keys::kEscape});
    EXPECT_EQ(form.list->itemIndex(), 1);
}

TEST_F(ControlsTest, EnterAndEscapeThroughTheFormEndAModalList) {
    struct Chooser : KeyForm {
        void formKeyDown(int& key, Qt::KeyboardModifiers) override {
            if (key == platform::ui::keys::kReturn) setModalResult(platform::ui::mrOk);
            if (key == platform::ui::keys::kEscape) setModalResult(platform::ui::mrCancel);
        }
    } chooser;
    chooser.setKeyPreview(true);
    QTimer::singleShot(0, [&] { ui_test::key(chooser.list, Qt::Key_Return); });
    EXPECT_EQ(chooser.showModal(), platform::ui::mrOk);
    QTimer::singleShot(0, [&] { ui_test::key(chooser.list, Qt::Key_Escape); });
    EXPECT_EQ(chooser.showModal(), platform::ui::mrCancel);
}

// ---- window drag -----------------------------------------------------------

TEST_F(ControlsTest, LeftButtonOnTheBackgroundDragsTheWindowOtherButtonsDoNot) {
    platform::ui::Form form;
    form.resize(200, 150);
    auto* background = new PictureControl(&form);
    background->setGeometry(0, 0, 200, 150);
    platform::ui::enableWindowDrag(background);
    form.show();
    const QPoint start = form.pos();

    ui_test::press(background, {50, 40}, Qt::RightButton);
    ui_test::mouse(background, QEvent::MouseMove, Qt::RightButton, {90, 70});
    ui_test::release(background, {90, 70}, Qt::RightButton);
    EXPECT_EQ(form.pos(), start);

    ui_test::press(background, {50, 40});
    ui_test::moveHeld(background, {80, 60});
    EXPECT_EQ(form.pos(), start + QPoint(30, 20));
    ui_test::release(background, {80, 60});
    QCoreApplication::processEvents();
    ui_test::mouse(background, QEvent::MouseMove, Qt::NoButton, {10, 10});
    EXPECT_EQ(form.pos(), start + QPoint(30, 20));  // the drag ended with the release
}

// ---- list box, pages, panel ------------------------------------------------

TEST_F(ControlsTest, ListBoxSelectionAndDoubleClickBelowTheLastItem) {
    platform::ui::ListBox list;
    list.resize(210, 185);
    list.setItems({"English", "Portugu\xEAs (Brasil)"});
    EXPECT_EQ(list.items(), (std::vector<std::string>{"English", "Portugu\xEAs (Brasil)"}));
    EXPECT_EQ(list.itemIndex(), -1);
    list.setItemIndex(1);
    EXPECT_EQ(list.itemIndex(), 1);
    EXPECT_EQ(list.visualItemRect(list.item(0)).height(), 13);
    list.setItemIndex(-1);
    EXPECT_EQ(list.itemIndex(), -1);

    int doubles = 0;
    QObject::connect(&list, &platform::ui::ListBox::doubleClicked, [&](platform::ui::ListBox*) { ++doubles; });
    list.show();
    ui_test::mouse(list.viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton, {20, 150});
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(list.itemIndex(), -1);
}

TEST_F(ControlsTest, PagesTellWhenTheyBecomeVisible) {
    QWidget form;
    auto* pages = new platform::ui::PageControl(&form);
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        auto* page = new platform::ui::Page;
        pages->addWidget(page);
        QObject::connect(page, &platform::ui::Page::shown, [&shown, i](platform::ui::Page*) { shown.push_back(i); });
    }
    pages->setActivePageIndex(2);  // hidden form: nothing shows yet
    EXPECT_TRUE(shown.empty());
    form.show();
    pages->setActivePageIndex(0);
    pages->setActivePageIndex(7);  // out of range: ignored
    EXPECT_EQ(pages->activePageIndex(), 0);
    EXPECT_EQ(shown, (std::vector<int>{2, 0}));
}

TEST_F(ControlsTest, PanelPaintsItsColourWithOrWithoutDoubleBuffering) {
    platform::ui::Panel panel;
    panel.resize(30, 30);
    panel.setColor(QColor(33, 100, 173));
    for (bool buffered : {true, false, true}) {
        SCOPED_TRACE(buffered);
        panel.setDoubleBuffered(buffered);
        EXPECT_EQ(panel.doubleBuffered(), buffered);
        EXPECT_EQ(panel.testAttribute(Qt::WA_OpaquePaintEvent), !buffered);
        EXPECT_EQ(ui_test::pixel(&panel, 15, 15), QColor(33, 100, 173));
    }
}

// ---- pictures, text and window capture -------------------------------------

TEST_F(ControlsTest, PicturesTextAndCapturesCrossTheQtBoundaryIntact) {
    platform::Picture picture;
    picture.width = 3;
    picture.height = 2;
    picture.rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    const QImage image = platform::ui::toQImage(picture);
    EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(2, 1), QColor(70, 80, 90));
    const platform::Picture back = platform::ui::toPicture(image);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.rgb, picture.rgb);
    EXPECT_TRUE(platform::ui::toQImage(platform::Picture{2, 2, {1, 2, 3}}).isNull());  // too few bytes

    EXPECT_EQ(platform::ui::toQString("Portugu\xEAs \x80"), QString::fromUtf8("Português €"));
    EXPECT_EQ(platform::ui::fromQString(QString::fromUtf8("Afinação €ш")), "Afina\xE7\xE3o \x80?");
    EXPECT_EQ(platform::ui::toDisplayText("a\r\nb\rc"), "a\nb\nc");

    test_support::TempDir dir("quindral-ui");
    PictureControl c;
    c.resize(3, 2);
    c.setPicture(&picture);
    ASSERT_TRUE(platform::ui::saveWindowPng(&c, dir / "c.png"));
    EXPECT_EQ(QImage(QString::fromStdString((dir / "c.png").string())).pixelColor(2, 0), QColor(0, 0, 255));
}

}  // namespace
