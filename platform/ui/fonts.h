#pragma once
// Fonts as the forms name them. The forms were drawn with Windows fonts
// ("Arial", "MS Sans Serif"); they are mapped to installed metric-compatible
// families (Liberation Sans from fonts-liberation) so that text widths match
// the forms' layout. Sizes are in pixels, as the forms give them.

#include <QFont>

#include <string>

namespace platform::ui {

// Registers the substitutions with Qt (QFont::insertSubstitution); done by
// initialize(), harmless to repeat.
void installFontSubstitutions();

// "Arial", 12 -> the substituted family at pixel size 12.
QFont formFont(const std::string& family, int pixelSize, bool bold = false);

}  // namespace platform::ui
