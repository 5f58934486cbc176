#include "app/ajustar_texto_rotulo.h"

#include <string>

#include "platform/ui/label.h"

namespace {
const std::string kReticencias = "...";
}

void ajustarTextoRotulo(platform::ui::Label& rotulo, int largura) {
    const int esquerda = rotulo.x();
    std::string s = rotulo.caption() + kReticencias;
    if (rotulo.width() > largura) {
        // Each pass is one character shorter, so this ends at "..." at the
        // latest, whatever the label's size does.
        while (rotulo.width() > largura && s.size() > kReticencias.size()) {
            s = s.substr(0, s.size() - kReticencias.size() - 1) + kReticencias;
            rotulo.setCaption(s);
        }
        rotulo.setLeft(esquerda + (largura - rotulo.width()) / 2);
    } else {
        rotulo.setWidth(largura);
        rotulo.setLeft(esquerda);
    }
}
