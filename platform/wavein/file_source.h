#pragma once
// A sound file read as a stream in a chosen PCM format: channels mixed down
// or duplicated, resampled with libsamplerate, converted to 8-bit unsigned
// or 16-bit signed little-endian. Optionally loops back to the start at the
// end of the file. One thread at a time.

#include "platform/wavein/wavein.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

namespace platform::wavein {

class FileSource {
public:
    // Null when the file cannot be read as sound, or when `format` is not a
    // supported PCM format or lies beyond the resampler's ratio range
    // (1/256..256 of the file's rate); `badFormat` tells which of the two.
    static std::unique_ptr<FileSource> open(const std::filesystem::path& path, const WaveFormat& format,
                                            bool looping, bool* badFormat = nullptr);
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // Appends up to `frames` frames in the target format to `out`; answers
    // the frames appended. 0 means the end: a file played once has been
    // given out whole (or the file holds no sound at all).
    std::size_t read(std::size_t frames, std::vector<std::uint8_t>& out);

private:
    struct Impl;
    explicit FileSource(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform::wavein
