// The application object: terminate request, modal results, message boxes,
// exceptions escaping handlers, the screen's resolution.

#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/timer.h"
#include "widget_events.h"

#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Messages = std::vector<std::pair<std::string, std::string>>;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_test::ensureApplication();
        platform::ui::resetTerminateForTests();
        platform::ui::setMessageBoxHookForTests(
            [this](const std::string& text, const std::string& title) { messages.emplace_back(text, title); });
    }
    void TearDown() override {
        platform::ui::setMessageBoxHookForTests({});
        platform::ui::resetTerminateForTests();
    }
    Messages messages;
};

// Runs `f` once the loop that is about to start is running.
template <typename F>
void soon(F f, int ms = 0) {
    QTimer::singleShot(ms, qApp, f);
}

TEST_F(ApplicationTest, ModalFormAnswersTheResultItWasGiven) {
    platform::ui::Form form;
    form.resize(100, 80);
    soon([&] {
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isShownModally());
        form.setModalResult(platform::ui::mrOk);
    });
    EXPECT_EQ(form.showModal(), platform::ui::mrOk);
    EXPECT_FALSE(form.isVisible());

    soon([&] { form.closeForm(); });  // closing without a result is Cancel
    EXPECT_EQ(form.showModal(), platform::ui::mrCancel);
}

TEST_F(ApplicationTest, PendingTerminateClosesLaterModalsAndMessageBoxesAtOnce) {
    platform::ui::Form outer, later;
    int inner = -1;
    bool ranOn = false;
    bool laterShown = false;
    soon([&] {
        platform::ui::requestTerminate();
        ranOn = true;  // code after the request runs on
        EXPECT_TRUE(platform::ui::terminateRequested());
        // Real message box, no hook: it must not block.
        platform::ui::setMessageBoxHookForTests({});
        platform::ui::showMessage("not shown", "title");
        inner = later.showModal();
        laterShown = later.isVisible();
    });
    EXPECT_EQ(outer.showModal(), platform::ui::mrCancel);
    EXPECT_TRUE(ranOn);
    EXPECT_EQ(inner, platform::ui::mrCancel);
    EXPECT_FALSE(laterShown);
    EXPECT_EQ(platform::ui::run(), 0);  // the main loop returns at once too
}

TEST_F(ApplicationTest, TerminateWhileAMessageBoxIsOpenClosesIt) {
    platform::ui::setMessageBoxHookForTests({});
    bool sawBox = false;
    soon([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(w) && w->isVisible()) sawBox = true;
        platform::ui::requestTerminate();
    }, 20);
    platform::ui::showMessage("Texto com acentua\xE7\xE3o\r\nsegunda linha", "T\xEDtulo");
    EXPECT_TRUE(sawBox);
}

TEST_F(ApplicationTest, MessagesArriveAsEightBitTextAndNotWhileTerminating) {
    platform::ui::showMessage("Aten\xE7\xE3o", "Zelmora");
    platform::ui::requestTerminate();
    platform::ui::showMessage("too late", "Zelmora");
    EXPECT_EQ(messages, (Messages{{"Aten\xE7\xE3o", "Zelmora"}}));
}

TEST_F(ApplicationTest, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    platform::ui::setTitle("Zelmora Quindral");
    platform::ui::Form form;
    form.resize(60, 60);
    auto* button = new platform::ui::PictureControl(&form);
    button->setGeometry(0, 0, 30, 30);
    QObject::connect(button, &platform::ui::PictureControl::clicked,
                     [](platform::ui::PictureControl*) { throw EListError("List index out of bounds (7)"); });
    platform::ui::Timer timer;
    int ticks = 0;
    timer.setInterval(5);
    timer.setOnTimer([&] {
        ++ticks;
        if (ticks == 1) throw std::runtime_error("tick failed");
        if (ticks == 3) form.setModalResult(platform::ui::mrOk);
    });
    soon([&] {
        ui_test::click(button);
        ui_test::click(button);
        timer.setEnabled(true);
    });
    EXPECT_EQ(form.showModal(), platform::ui::mrOk);
    EXPECT_EQ(ticks, 3);  // the timer kept running after its handler threw
    EXPECT_EQ(messages, (Messages{{"EListError List index out of bounds (7)", "Zelmora Quindral"},
                                  {"EListError List index out of bounds (7)", "Zelmora Quindral"},
                                  {"std::runtime_error tick failed", "Zelmora Quindral"}}));
}

TEST_F(ApplicationTest, ClosingTheMainWindowEndsRun) {
    int closes = 0;
    struct Closing : platform::ui::Form {
        int* n;
        void formClose() override { ++*n; }
    } counted;
    counted.n = &closes;
    counted.resize(80, 60);
    counted.setAsMainWindow();
    soon([&] {
        EXPECT_TRUE(counted.isVisible());  // run shows the main window
        counted.closeForm();
    });
    EXPECT_EQ(platform::ui::run(), 0);
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(platform::ui::terminateRequested());
}

TEST_F(ApplicationTest, ScreenResolutionComesFromTheScreenUnlessFaked) {
    EXPECT_EQ(platform::ui::screenPixelsPerInch(), 96);  // the offscreen screen at 100 %
    platform::ui::setScreenPixelsPerInchForTests(120);
    EXPECT_EQ(platform::ui::screenPixelsPerInch(), 120);
    platform::ui::setScreenPixelsPerInchForTests(std::nullopt);
    EXPECT_EQ(platform::ui::screenPixelsPerInch(), 96);
}

}  // namespace
