#pragma once
// A picture control that draws its picture rotated about the control's
// centre (the picture's centre on the control's centre) by an angle in
// degrees, positive turning it counter-clockwise: the needle and the string
// ends. Parts of the rotated picture beyond the control are cut off.
//
// In .ui files: class platform::ui::RotateImage, header
// "platform/ui/rotate_image.h", base QWidget; property angle (double).

#include "platform/ui/picture_control.h"

namespace platform::ui {

class RotateImage : public PictureControl {
    Q_OBJECT
    Q_PROPERTY(double angle READ angle WRITE setAngle)
public:
    explicit RotateImage(QWidget* parent = nullptr);

    // The angle last set, exactly as given (no wrapping to ±180). Setting the
    // angle it already has does not redraw.
    double angle() const { return angle_; }
    void setAngle(double degrees);

    // How many times an angle change asked for a redraw (for tests).
    int angleRedraws() const { return angleRedraws_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double angle_ = 0.0;
    int angleRedraws_ = 0;
};

}  // namespace platform::ui
