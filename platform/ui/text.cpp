#include "platform/ui/text.h"

#include "platform/core/cp1252.h"

#include <QList>

namespace platform::ui {

QString toQString(std::string_view cp1252) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1252.size()));
    for (unsigned char byte : cp1252) out.append(QChar(static_cast<char16_t>(cp1252ToUnicode(byte))));
    return out;
}

std::string fromQString(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        auto byte = unicodeToCp1252(cp);
        out += byte ? static_cast<char>(*byte) : '?';
    }
    return out;
}

QString toDisplayText(std::string_view cp1252) {
    QString text = toQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

}  // namespace platform::ui
