#pragma once
// The platform's text-to-integer conversion, as files written for the
// original program expect it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// An optional sign followed by decimal digits, or by hexadecimal digits after
// "$", "x" or "0x" (x in either case); nothing may follow the digits and the
// value must fit 32 bits. Returns nothing otherwise.
std::optional<std::int32_t> tryStrToInt(std::string_view text);

// As tryStrToInt, but raises EConvertError "'<text>' is not a valid integer value".
std::int32_t strToInt(std::string_view text);

}  // namespace platform
