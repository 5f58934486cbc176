#pragma once
// platform::Picture (RGB bytes, toolkit-free) <-> Qt images.

#include "platform/core/picture.h"

#include <QImage>
#include <QPixmap>

namespace platform::ui {

// An empty picture (0 × 0 or too few bytes) gives a null image.
QImage toQImage(const Picture& picture);
QPixmap toPixmap(const Picture& picture);

// Alpha is dropped (composed over nothing: the colour channels as they are).
Picture toPicture(const QImage& image);

}  // namespace platform::ui
