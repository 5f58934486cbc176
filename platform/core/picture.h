#pragma once
// A decoded picture, independent of any window toolkit: what the JPEG
// decoder gives and what picture controls show.

#include <cstdint>
#include <vector>

namespace platform {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // width * height * 3 bytes, rows top to bottom
};

}  // namespace platform
