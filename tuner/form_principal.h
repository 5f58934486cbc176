#pragma once
// The main window, for now only its frame: 802 x 532 pixels, borderless,
// the language's title picture and title text, dragged by its background,
// and a close button. Closing it writes the settings file (tuning index and
// correction mode as read, and the current language's display name) and
// ends the program.

#include <memory>

#include "platform/ui/form.h"

class ConfiguracoesUsuario;
class GerenciadorIdiomas;

namespace Ui {
class TformPrincipal;
}

namespace platform::ui {
class PictureControl;
}

class QPushButton;

class TformPrincipal : public platform::ui::Form {
    Q_OBJECT
public:
    // Becomes the application's main window.
    explicit TformPrincipal(GerenciadorIdiomas& idiomas, QWidget* owner = nullptr);
    ~TformPrincipal() override;

    // Puts the window's texts and pictures in place from the language.
    void aplicarIdioma();

    QPushButton* btnSair() const;
    platform::ui::PictureControl* imgTitulo() const;

protected:
    void formClose() override;

private:
    GerenciadorIdiomas& idiomas_;
    std::unique_ptr<ConfiguracoesUsuario> configuracoes_;
    Ui::TformPrincipal* ui_;
};
