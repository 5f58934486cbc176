#include "platform/ui/picture_control.h"

#include "platform/ui/event_loops.h"
#include "platform/ui/picture_convert.h"
#include "platform/ui/text.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace platform::ui {

PictureControl::PictureControl(QWidget* parent) : QWidget(parent) {}

void PictureControl::setPicture(const QPixmap& picture) {
    picture_ = picture;
    refreshShown();
}

void PictureControl::setPicture(const Picture* picture) {
    setPicture(picture ? toPixmap(*picture) : QPixmap());
}

void PictureControl::setCenter(bool on) {
    center_ = on;
    update();
}

void PictureControl::setStretch(bool on) {
    stretch_ = on;
    update();
}

void PictureControl::setTransparent(bool on) {
    transparent_ = on;
    refreshShown();
}

void PictureControl::setHint(const std::string& hint) { setToolTip(toQString(hint)); }

void PictureControl::setHandCursor(bool on) {
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void PictureControl::refreshShown() {
    shown_ = picture_;
    if (transparent_ && !picture_.isNull() && !picture_.hasAlphaChannel()) {
        const QImage image = picture_.toImage();
        const QColor key = image.pixelColor(0, image.height() - 1);
        shown_.setMask(picture_.createMaskFromColor(key, Qt::MaskInColor));
    }
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    if (shown_.isNull()) return;
    QPainter painter(this);
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), shown_);
    } else if (center_) {
        painter.drawPixmap((width() - shown_.width()) / 2, (height() - shown_.height()) / 2, shown_);
    } else {
        painter.drawPixmap(0, 0, shown_);
    }
}

bool PictureControl::event(QEvent* event) {
    return detail::guardedEvent([&] { return QWidget::event(event); });
}

void PictureControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) clickPending_ = true;
    emit mouseDown(this, event->button(), event->position().toPoint());
}

void PictureControl::mouseDoubleClickEvent(QMouseEvent* event) {
    QPointer<PictureControl> self(this);
    if (event->button() == Qt::LeftButton) {
        clickPending_ = false;
        emit doubleClicked(this);
        if (!self) return;
    }
    emit mouseDown(this, event->button(), event->position().toPoint());
}

void PictureControl::mouseReleaseEvent(QMouseEvent* event) {
    QPointer<PictureControl> self(this);
    const QPoint pos = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && clickPending_ && rect().contains(pos);
    if (event->button() == Qt::LeftButton) clickPending_ = false;
    emit mouseUp(this, event->button(), pos);
    if (click && self) emit clicked(this);
}

void bindPictureButton(PictureControl* button, const PictureControl* normal, const PictureControl* pressed) {
    QPointer<const PictureControl> n(normal), p(pressed);
    QObject::connect(button, &PictureControl::mouseDown, button, [button, p](PictureControl*, Qt::MouseButton, QPoint) {
        if (p) button->assignPicture(*p);
    });
    QObject::connect(button, &PictureControl::mouseUp, button, [button, n](PictureControl*, Qt::MouseButton, QPoint) {
        if (n) button->assignPicture(*n);
    });
}

}  // namespace platform::ui
