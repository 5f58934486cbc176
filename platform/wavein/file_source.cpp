#include "platform/wavein/file_source.h"

#include "platform/wavein/device.h"

#include <algorithm>
#include <cmath>
#include <samplerate.h>
#include <sndfile.h>

namespace platform::wavein {
namespace {

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
struct ResamplerCloser {
    void operator()(SRC_STATE* s) const { src_delete(s); }
};

constexpr std::size_t kChunkFrames = 1024;  // source frames read at a time

}  // namespace

struct FileSource::Impl {
    std::unique_ptr<SNDFILE, SndfileCloser> file;
    std::unique_ptr<SRC_STATE, ResamplerCloser> resampler;  // null when the rates match
    int fileChannels = 0;
    sf_count_t fileFrames = 0;
    int channels = 0;      // target
    int bits = 0;          // target
    double ratio = 1;      // target rate / file rate
    bool looping = true;
    bool endOfFile = false;  // the file is read to its end (once mode)
    bool drained = false;    // and the resampler has given out its tail

    std::vector<float> raw;      // file frames, file channels
    std::vector<float> input;    // target channels, not yet resampled
    std::size_t inputUsed = 0;
    std::vector<float> output;   // target channels and rate

    // Tops `input` up from the file; false at the end of a file played once.
    bool readFile() {
        if (endOfFile) return false;
        raw.resize(kChunkFrames * static_cast<std::size_t>(fileChannels));
        sf_count_t got = sf_readf_float(file.get(), raw.data(), static_cast<sf_count_t>(kChunkFrames));
        if (got <= 0 && looping && fileFrames != 0) {
            sf_seek(file.get(), 0, SEEK_SET);
            got = sf_readf_float(file.get(), raw.data(), static_cast<sf_count_t>(kChunkFrames));
        }
        if (got <= 0) {
            endOfFile = true;
            return false;
        }
        input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(inputUsed * channels));
        inputUsed = 0;
        for (sf_count_t i = 0; i < got; ++i) {
            const float* frame = &raw[static_cast<std::size_t>(i) * fileChannels];
            if (channels == 1) {
                float sum = 0;
                for (int c = 0; c < fileChannels; ++c) sum += frame[c];
                input.push_back(sum / static_cast<float>(fileChannels));
            } else {
                input.push_back(frame[0]);
                input.push_back(fileChannels > 1 ? frame[1] : frame[0]);
            }
        }
        return true;
    }

    std::size_t pendingInput() const { return input.size() / channels - inputUsed; }

    // Produces at least one more output frame; false once everything is out.
    bool produce() {
        for (;;) {
            if (pendingInput() == 0 && !endOfFile) readFile();
            const std::size_t pending = pendingInput();
            if (!resampler) {
                if (pending == 0) return false;
                output.insert(output.end(), input.begin() + static_cast<std::ptrdiff_t>(inputUsed * channels),
                              input.end());
                inputUsed += pending;
                return true;
            }
            if (drained) return false;
            const auto room = static_cast<std::size_t>(static_cast<double>(pending) * ratio) + 256;
            const std::size_t before = output.size();
            output.resize(before + room * channels);
            SRC_DATA data{};
            data.data_in = input.data() + inputUsed * channels;
            data.input_frames = static_cast<long>(pending);
            data.data_out = output.data() + before;
            data.output_frames = static_cast<long>(room);
            data.src_ratio = ratio;
            data.end_of_input = endOfFile ? 1 : 0;
            const int error = src_process(resampler.get(), &data);
            output.resize(before + (error ? 0 : static_cast<std::size_t>(data.output_frames_gen) * channels));
            if (error) {
                drained = endOfFile = true;
                return false;
            }
            inputUsed += static_cast<std::size_t>(data.input_frames_used);
            if (data.output_frames_gen > 0) return true;
            if (endOfFile && pendingInput() == 0) {
                drained = true;  // the resampler's tail is out too
                return false;
            }
            // The resampler took input without giving output yet: feed it more.
            if (!endOfFile) readFile();
        }
    }

    void convert(std::size_t frames, std::vector<std::uint8_t>& out) const {
        const std::size_t samples = frames * channels;
        if (bits == 8) {
            for (std::size_t i = 0; i < samples; ++i) {
                const long v = std::lround(std::clamp(output[i], -1.0f, 1.0f) * 127.0f) + 128;
                out.push_back(static_cast<std::uint8_t>(v));
            }
        } else {
            for (std::size_t i = 0; i < samples; ++i) {
                const long v = std::lround(std::clamp(output[i], -1.0f, 1.0f) * 32767.0f);
                const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
                out.push_back(static_cast<std::uint8_t>(u & 0xff));
                out.push_back(static_cast<std::uint8_t>(u >> 8));
            }
        }
    }
};

FileSource::FileSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FileSource::~FileSource() = default;

std::unique_ptr<FileSource> FileSource::open(const std::filesystem::path& path, const WaveFormat& format,
                                             bool looping, bool* badFormat) {
    if (badFormat) *badFormat = false;
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.channels <= 0 || info.samplerate <= 0) return nullptr;

    const double ratio = static_cast<double>(format.samplesPerSec) / info.samplerate;
    if (!isSupportedPcm(format) || !src_is_valid_ratio(ratio)) {
        if (badFormat) *badFormat = true;
        return nullptr;
    }

    auto impl = std::make_unique<Impl>();
    impl->fileChannels = info.channels;
    impl->fileFrames = info.frames;
    impl->channels = format.channels;
    impl->bits = format.bitsPerSample;
    impl->ratio = ratio;
    impl->looping = looping;
    if (format.samplesPerSec != static_cast<std::uint32_t>(info.samplerate)) {
        int error = 0;
        impl->resampler.reset(src_new(SRC_SINC_FASTEST, format.channels, &error));
        if (!impl->resampler) return nullptr;
    }
    impl->file = std::move(file);
    return std::unique_ptr<FileSource>(new FileSource(std::move(impl)));
}

std::size_t FileSource::read(std::size_t frames, std::vector<std::uint8_t>& out) {
    Impl& s = *impl_;
    while (s.output.size() / s.channels < frames && s.produce()) {
    }
    const std::size_t n = std::min(frames, s.output.size() / s.channels);
    s.convert(n, out);
    s.output.erase(s.output.begin(), s.output.begin() + static_cast<std::ptrdiff_t>(n * s.channels));
    return n;
}

}  // namespace platform::wavein
