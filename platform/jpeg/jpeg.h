#pragma once
// JPEG pictures in memory (libjpeg). Broken data is reported as EJPEG,
// never by ending the process: libjpeg's fatal errors are caught.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/exceptions.h"
#include "platform/core/picture.h"

namespace platform::jpeg {

QUINDRAL_EXCEPTION_CLASS(EJPEG, Exception)

// Decodes the first JPEG image in `data[0, size)` into 8-bit RGB (greyscale
// images are converted; bytes after the image's end are not read). Raises
// EJPEG for data that is not a complete, valid JPEG image: truncated or
// corrupt data counts as broken, as do colour spaces libjpeg cannot turn
// into RGB and images of more than kMaxPixels pixels.
Picture decode(const std::uint8_t* data, std::size_t size);

inline constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

// Encodes `picture` (quality 1..100) as a baseline JFIF file. Raises EJPEG
// when the picture is empty or its byte count does not match its size.
std::vector<std::uint8_t> encode(const Picture& picture, int quality = 90);

}  // namespace platform::jpeg
