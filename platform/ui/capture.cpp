#include "platform/ui/capture.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace platform::ui {

bool saveWindowPng(QWidget* widget, const std::filesystem::path& path) {
    if (!widget) return false;
    return widget->grab().save(QString::fromStdString(path.string()), "PNG");
}

}  // namespace platform::ui
