#pragma once
// The splash window shown while the program's windows are built: 250 x 250
// pixels, borderless, centred on the screen, blue (33, 100, 173) behind the
// language's picture fmEntrada/imgEntrada, which fills it. No handlers.

#include "platform/ui/form.h"

class GerenciadorIdiomas;

namespace Ui {
class TformSplash;
}

namespace platform::ui {
class PictureControl;
}

class TformSplash : public platform::ui::Form {
    Q_OBJECT
public:
    // Takes its picture from `idiomas` now.
    TformSplash(const GerenciadorIdiomas& idiomas, QWidget* owner = nullptr);
    ~TformSplash() override;

    platform::ui::PictureControl* imgEntrada() const;

private:
    Ui::TformSplash* ui_;
};
