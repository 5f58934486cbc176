#pragma once
// A smooth progress bar (no text), vertical by default, filling from the
// bottom; position is clamped to the range.
//
// In .ui files: class platform::ui::ProgressBar, header
// "platform/ui/progress_bar.h", base QProgressBar; minimum, maximum,
// value (the position), orientation.

#include <QProgressBar>

namespace platform::ui {

class ProgressBar : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr) : QProgressBar(parent) {
        setOrientation(Qt::Vertical);
        setTextVisible(false);
    }

    int position() const { return value(); }
    void setPosition(int position) { setValue(qBound(minimum(), position, maximum())); }
    void setRange(int minimum, int maximum) { QProgressBar::setRange(minimum, maximum); }
};

}  // namespace platform::ui
