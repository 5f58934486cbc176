#include "platform/ui/fonts.h"

#include "platform/ui/text.h"

#include <QStringList>

namespace platform::ui {

void installFontSubstitutions() {
    struct Mapping {
        const char* windowsName;
        const char* installed;
    };
    // Metric-compatible where fonts-liberation has a match; "MS Sans Serif"
    // (a bitmap font) has none, and Liberation Sans is the closest in width.
    static const Mapping kMappings[] = {
        {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
    };
    for (const auto& m : kMappings) {
        const QString from = QString::fromLatin1(m.windowsName);
        if (!QFont::substitutes(from).contains(QString::fromLatin1(m.installed)))
            QFont::insertSubstitution(from, QString::fromLatin1(m.installed));
    }
}

QFont formFont(const std::string& family, int pixelSize, bool bold) {
    QFont font(toQString(family));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace platform::ui
