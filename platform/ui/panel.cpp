#include "platform/ui/panel.h"

#include <QPainter>

namespace platform::ui {

Panel::Panel(QWidget* parent) : QFrame(parent) {
    color_ = palette().color(QPalette::Window);
    setDoubleBuffered(false);
    setBevel(Bevel::None);
}

void Panel::setBevel(Bevel bevel) {
    bevel_ = bevel;
    switch (bevel) {
    case Bevel::None: setFrameStyle(QFrame::NoFrame); break;
    case Bevel::Lowered: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case Bevel::Raised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    }
    setLineWidth(1);
}

void Panel::setColor(const QColor& color) {
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    update();
}

void Panel::setDoubleBuffered(bool on) {
    doubleBuffered_ = on;
    setAutoFillBackground(on);
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

void Panel::paintEvent(QPaintEvent* event) {
    if (!doubleBuffered_) {
        QPainter painter(this);
        painter.fillRect(rect(), color_);
    }
    QFrame::paintEvent(event);
}

}  // namespace platform::ui
