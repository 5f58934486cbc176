#pragma once
// A picture control: shows a picture at its top-left corner, centred, or
// stretched to its size; everything it does not cover shows what lies behind
// it. It acts as a button through its mouse signals:
//
//   mouseDown(sender, button, pos)   any button pressed (pos in the control)
//   mouseUp(sender, button, pos)     any button released (the control keeps
//                                    the mouse while a button is held)
//   clicked(sender)                  left button released inside the control
//                                    after it was pressed there; not for the
//                                    second press of a double click
//   doubleClicked(sender)            second left press of a double click
//
// Order on release: mouseUp, then clicked, so a button's normal picture is
// back before its action runs (which may open a modal window). A double
// click gives mouseDown, mouseUp, clicked, doubleClicked, mouseDown, mouseUp.
//
// In .ui files: class platform::ui::PictureControl, header
// "platform/ui/picture_control.h", base QWidget; properties picture
// (pixmap from a .qrc), center, stretch, transparent, tag (all stdset="0"
// or plain), toolTip for the hint, cursor for the hand cursor.

#include "platform/core/picture.h"

#include <QPixmap>
#include <QWidget>

#include <memory>
#include <string>

namespace platform::ui {

class PictureControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap picture READ pixmap WRITE setPicture)
    Q_PROPERTY(bool center READ center WRITE setCenter)
    Q_PROPERTY(bool stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(int tag READ tag WRITE setTag)
public:
    explicit PictureControl(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // nullptr empties the control, as "no picture" does for a language lookup.
    void setPicture(const Picture* picture);
    void setPicture(const std::unique_ptr<Picture>& picture) { setPicture(picture.get()); }
    void clearPicture() { setPicture(QPixmap()); }
    // Shows a copy of another control's picture (empty when it has none).
    void assignPicture(const PictureControl& other) { setPicture(other.pixmap()); }
    const QPixmap& pixmap() const { return picture_; }
    bool hasPicture() const { return !picture_.isNull(); }

    bool center() const { return center_; }
    void setCenter(bool on);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    // A picture without an alpha channel loses the colour of its bottom-left
    // pixel, which then shows what lies behind.
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // The tooltip text (8-bit).
    void setHint(const std::string& hint);
    void setHandCursor(bool on);

signals:
    void clicked(platform::ui::PictureControl* sender);
    void doubleClicked(platform::ui::PictureControl* sender);
    void mouseDown(platform::ui::PictureControl* sender, Qt::MouseButton button, QPoint pos);
    void mouseUp(platform::ui::PictureControl* sender, Qt::MouseButton button, QPoint pos);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The picture as drawn (with the transparent colour masked out).
    const QPixmap& shownPixmap() const { return shown_; }

private:
    void refreshShown();

    QPixmap picture_;
    QPixmap shown_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool clickPending_ = false;
    int tag_ = 0;
};

// Picture-button behaviour: while any mouse button is held on `button` it
// shows the picture of `pressed`, and on release the picture of `normal`
// again. The holders are read at each press and release, so pictures given
// to them later (from a language) are used.
void bindPictureButton(PictureControl* button, const PictureControl* normal, const PictureControl* pressed);

}  // namespace platform::ui
