#pragma once
// A panel: a plain container with a background colour and an optional
// bevel, and a DoubleBuffered switch.
//
// Double buffering: Qt already composes every window off-screen in its
// backing store, so a panel never flickers either way. What the switch
// really changes is the work done per repaint: on, Qt fills the panel's
// background before it paints (the buffered, erase-then-draw path); off,
// the panel is marked opaque (Qt::WA_OpaquePaintEvent) and fills its
// background itself in one pass, which is cheaper on a slow machine.
//
// In .ui files: class platform::ui::Panel, header "platform/ui/panel.h",
// base QFrame; properties bevel (0 none, 1 lowered, 2 raised), color,
// doubleBuffered.

#include <QColor>
#include <QFrame>

namespace platform::ui {

class Panel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(int bevel READ bevelValue WRITE setBevelValue)
    Q_PROPERTY(QColor color READ color WRITE setColor)
    Q_PROPERTY(bool doubleBuffered READ doubleBuffered WRITE setDoubleBuffered)
public:
    enum class Bevel { None = 0, Lowered = 1, Raised = 2 };

    explicit Panel(QWidget* parent = nullptr);

    Bevel bevel() const { return bevel_; }
    void setBevel(Bevel bevel);

    QColor color() const { return color_; }
    void setColor(const QColor& color);

    bool doubleBuffered() const { return doubleBuffered_; }
    void setDoubleBuffered(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int bevelValue() const { return static_cast<int>(bevel_); }
    void setBevelValue(int value) { setBevel(static_cast<Bevel>(value)); }

    Bevel bevel_ = Bevel::None;
    QColor color_;
    bool doubleBuffered_ = false;
};

}  // namespace platform::ui
