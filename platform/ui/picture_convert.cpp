#include "platform/ui/picture_convert.h"

#include <cstring>

namespace platform::ui {

QImage toQImage(const Picture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return {};
    const size_t row = static_cast<size_t>(picture.width) * 3;
    if (picture.rgb.size() < row * static_cast<size_t>(picture.height)) return {};
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.rgb.data() + row * static_cast<size_t>(y), row);
    return image;
}

QPixmap toPixmap(const Picture& picture) {
    QImage image = toQImage(picture);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

Picture toPicture(const QImage& image) {
    Picture picture;
    if (image.isNull()) return picture;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    picture.width = rgb.width();
    picture.height = rgb.height();
    const size_t row = static_cast<size_t>(picture.width) * 3;
    picture.rgb.resize(row * static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.rgb.data() + row * static_cast<size_t>(y), rgb.constScanLine(y), row);
    return picture;
}

}  // namespace platform::ui
