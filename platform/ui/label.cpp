#include "platform/ui/label.h"

#include "platform/ui/text.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace platform::ui {

Label::Label(QWidget* parent) : QWidget(parent) {
    color_ = palette().color(QPalette::Window);
}

void Label::setCaption(const std::string& caption) { setText(toDisplayText(caption)); }

std::string Label::caption() const {
    QString t = text_;
    t.replace(QChar('\n'), QStringLiteral("\r\n"));
    return fromQString(t);
}

void Label::setText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QChar('\r'), QChar('\n'));
    if (t == text_) return;
    text_ = t;
    adjustBounds();
    update();
}

void Label::setAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    if (!alignment_) alignment_ = Qt::AlignLeft;
    update();
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    adjustBounds();
}

void Label::setTransparent(bool on) {
    transparent_ = on;
    update();
}

void Label::setWordWrap(bool on) {
    if (wordWrap_ == on) return;
    wordWrap_ = on;
    adjustBounds();
    update();
}

void Label::setFontColor(const QColor& color) {
    fontColor_ = color;
    update();
}

void Label::setColor(const QColor& color) {
    color_ = color;
    update();
}

void Label::setFontPixelSize(int pixels) {
    if (pixels <= 0) return;
    QFont f = font();
    f.setPixelSize(pixels);
    setFont(f);  // changeEvent adjusts the bounds
}

QString Label::measuredText() const { return text_.isEmpty() ? QStringLiteral(" ") : text_; }

QSize Label::textSize() const {
    const QFontMetrics fm(font());
    const QString t = measuredText();
    if (wordWrap_) {
        const QRect r = fm.boundingRect(QRect(0, 0, std::max(width(), 1), INT_MAX / 2),
                                        int(alignment_) | Qt::AlignTop | Qt::TextWordWrap, t);
        return {width(), r.height()};
    }
    const QStringList lines = t.split(QChar('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
    return {widest, fm.height() * static_cast<int>(lines.size())};
}

void Label::adjustBounds() {
    if (!autoSize_) return;
    const QSize size = textSize();
    int left = x();
    if ((alignment_ & Qt::AlignRight) && !wordWrap_) left = x() + width() - size.width();
    setGeometry(left, y(), size.width(), size.height());
}

void Label::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        adjustBounds();
        update();
    }
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_) painter.fillRect(rect(), color_);
    painter.setFont(font());
    painter.setPen(fontColor_);
    int flags = int(alignment_) | Qt::AlignTop;
    if (wordWrap_) flags |= Qt::TextWordWrap;
    painter.drawText(rect(), flags, text_);
}

}  // namespace platform::ui
