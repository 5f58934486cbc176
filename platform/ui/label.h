#pragma once
// A text label drawn the way the forms were laid out: text from the top
// edge, aligned left, centred or right within the label's bounds, in the
// label's font and font colour, over its background colour unless
// transparent. Line breaks in captions are CR LF (lone LF works too).
//
// Auto-sizing (the default): whenever the caption, font or word wrap
// changes, the label takes the size of its text (the widest line's advance
// by the line count's font height; an empty caption measures as one blank),
// keeping its left edge, or its right edge when right-aligned. With word
// wrap only the height follows the text. A size given afterwards (resize,
// setWidth) stays until the text changes again. With auto-size off the
// label keeps its size (the fixed-size variant).
//
// In .ui files: class platform::ui::Label, header "platform/ui/label.h",
// base QWidget; properties text (string), alignment (Qt::AlignLeft |
// AlignHCenter | AlignRight), autoSize, transparent, wordWrap, fontColor
// (color), color (background), font (family and bold) then fontPixelSize.

#include <QColor>
#include <QWidget>

#include <string>

namespace platform::ui {

class Label : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(int fontPixelSize READ fontPixelSize WRITE setFontPixelSize)
public:
    explicit Label(QWidget* parent = nullptr);

    // 8-bit caption; caption() gives it back (characters without a byte as '?').
    void setCaption(const std::string& caption);
    std::string caption() const;
    void setText(const QString& text);
    QString text() const { return text_; }

    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);  // horizontal part only
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);

    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    int fontPixelSize() const { return font().pixelSize(); }
    void setFontPixelSize(int pixels);

    // Geometry in the parent's pixels, as the program moves labels.
    void setLeft(int left) { move(left, y()); }
    void setWidth(int width) { resize(width, height()); }

    // The size the current text needs in the current font.
    QSize textSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void adjustBounds();
    QString measuredText() const;

    QString text_;
    Qt::Alignment alignment_ = Qt::AlignLeft;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    QColor fontColor_ = Qt::black;
    QColor color_;
};

}  // namespace platform::ui
