#pragma once
// The Qt boundary for text: the program's 8-bit Windows-1252 strings become
// QString only here, through the one table in platform/core/cp1252.h.

#include <QString>

#include <string>
#include <string_view>

namespace platform::ui {

QString toQString(std::string_view cp1252);

// Characters Windows-1252 has no byte for become '?'.
std::string fromQString(const QString& text);

// For display: as toQString, with the program's CR LF line breaks (and lone
// CRs) turned into Qt's LF.
QString toDisplayText(std::string_view cp1252);

}  // namespace platform::ui
