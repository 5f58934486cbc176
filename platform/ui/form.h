#pragma once
// Base of the program's windows. A form is a top-level window, borderless by
// default, centred on the screen each time it is shown, that can be shown
// modally with a result, can see key presses before its controls (key
// preview), and has show, close and key-down hooks for the window's own
// handlers. Controls come from a Qt Designer .ui file (see README.md):
//
//     class TformX : public platform::ui::Form {
//         Ui::TformX ui;
//     public:
//         TformX() { ui.setupUi(this); setKeyPreview(true); }
//     protected:
//         void formShow() override;
//         void formKeyDown(int& key, Qt::KeyboardModifiers shift) override;
//     };

#include "platform/core/exceptions.h"

#include <QWidget>

#include <string>

class QEventLoop;

QUINDRAL_EXCEPTION_CLASS(EInvalidOperation, Exception)  // e.g. a form shown modally twice

namespace platform::ui {

// Modal results, with the values the program's windows compare.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

enum class FormBorder {
    None,        // no frame, no caption bar
    ToolWindow,  // small caption bar with a close box only
    Dialog,      // ordinary dialog frame
};

enum class FormPosition {
    ScreenCenter,  // centred on the primary screen at every show
    Designed,      // wherever the form was placed
};

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* owner = nullptr, FormBorder border = FormBorder::None);
    ~Form() override;

    void setPosition(FormPosition position) { position_ = position; }

    // The window's caption (8-bit text); borderless forms show it nowhere.
    void setCaption(const std::string& caption);
    std::string caption() const;

    // Key preview: every key press aimed at a control of this form reaches
    // formKeyDown first (auto-repeated presses too); setting the key to 0
    // there consumes it. Without preview formKeyDown sees only the keys that
    // reach the form itself (no control has the focus). Off by default.
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }

    // Shows the form modal to the whole application and runs a message loop
    // until the form closes; answers its modal result (mrCancel when it was
    // closed without one or by a termination request). While termination is
    // pending it answers mrCancel at once without showing anything. Throws
    // EInvalidOperation when the form is already shown modally.
    int showModal();
    bool isShownModally() const { return modalLoop_ != nullptr || inShowModal_; }

    // A non-zero result ends the modal showing.
    void setModalResult(int result);
    int modalResult() const { return modalResult_; }

    // Closes the form: a modal form ends with mrCancel unless a result was
    // set; the main window's closing requests termination of the application.
    void closeForm() { close(); }

    // Makes this form the application's main window (platform::ui::run shows it).
    void setAsMainWindow();

    // Used by the application object for key preview.
    void dispatchKeyDown(int& key, Qt::KeyboardModifiers shift) { formKeyDown(key, shift); }

    void setVisible(bool visible) override;

protected:
    // Each time the form becomes visible (not when it comes back from minimised).
    virtual void formShow() {}
    // Each time the form closes, however it closes (close box, closeForm,
    // end of a modal showing).
    virtual void formClose() {}
    // Key codes are platform::ui::keys (virtual key codes).
    virtual void formKeyDown(int& key, Qt::KeyboardModifiers shift) { (void)key; (void)shift; }

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void centreOnScreen();

    FormPosition position_ = FormPosition::ScreenCenter;
    bool keyPreview_ = false;
    int modalResult_ = mrNone;
    bool inShowModal_ = false;
    bool endingModal_ = false;
    QEventLoop* modalLoop_ = nullptr;
};

}  // namespace platform::ui
