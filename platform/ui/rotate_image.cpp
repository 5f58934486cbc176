#include "platform/ui/rotate_image.h"

#include <QPainter>

namespace platform::ui {

RotateImage::RotateImage(QWidget* parent) : PictureControl(parent) {}

void RotateImage::setAngle(double degrees) {
    if (degrees == angle_) return;
    angle_ = degrees;
    ++angleRedraws_;
    update();
}

void RotateImage::paintEvent(QPaintEvent*) {
    const QPixmap& picture = shownPixmap();
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.rotate(-angle_);  // Qt turns clockwise on screen for positive angles
    if (stretch()) {
        painter.drawPixmap(QRectF(-width() / 2.0, -height() / 2.0, width(), height()), picture,
                           QRectF(picture.rect()));
    } else {
        painter.drawPixmap(QPointF(-picture.width() / 2.0, -picture.height() / 2.0), picture);
    }
}

}  // namespace platform::ui
