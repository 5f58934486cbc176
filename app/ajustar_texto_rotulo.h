#pragma once
// Fits a one-line label into a W-pixel area that begins at its left edge.
//
// A label that fits: width becomes W, left edge kept, text untouched (a
// centred-text label then shows its text centred in the area).
// A label wider than W: its text loses one character at a time before an
// added "..." until the label is no wider than W ("Guitarra" -> "Guitarr..."
// -> "Guitar..." ...), and the label is moved right by half the space left
// over, rounding toward zero. The full text is not kept anywhere.
// Shortening ends at "..." alone even when that is still wider than W (or
// when the label does not size itself to its text); it is then centred on
// the area, overhanging it on both sides.

namespace platform::ui {
class Label;
}

void ajustarTextoRotulo(platform::ui::Label& rotulo, int largura);
