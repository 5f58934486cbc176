#pragma once
// The one conversion table between the program's 8-bit text (Windows-1252)
// and Unicode. Text stays 8-bit everywhere else.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Unicode code point of a Windows-1252 byte. The five bytes Windows-1252
// leaves undefined map to the C1 control of the same value.
char32_t cp1252ToUnicode(unsigned char byte);

// Windows-1252 byte of a code point, or nothing when it has none.
std::optional<unsigned char> unicodeToCp1252(char32_t codePoint);

// UTF-8 to Windows-1252; characters without a byte, and malformed sequences,
// become `missing`.
std::string utf8ToCp1252(std::string_view utf8, char missing = '\xBF');

// Windows-1252 to UTF-8.
std::string cp1252ToUtf8(std::string_view text);

}  // namespace platform
