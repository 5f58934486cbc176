#include "audio/recorder.h"

#include "audio/audio_message_box.h"
#include "audio/wave_error_text.h"
#include "platform/core/exceptions.h"
#include "platform/core/notice_window.h"

#include <cstdint>
#include <limits>

namespace wi = platform::wavein;

TRecorder::TRecorder(platform::Component* owner)
    : platform::Component(owner),
      device_(std::make_unique<TWaveInDeviceID>()),
      quality_(std::make_unique<TAudioLineParameters>()) {
    ensureNoticeWindow();
    noticeWindow_->post(WM_USER, 0, 0);
}

TRecorder::~TRecorder() {
    if (handle_) Stop();
    noticeWindow_.reset();
}

void TRecorder::ensureNoticeWindow() {
    if (noticeWindow_) return;
    noticeWindow_ = std::make_unique<platform::NoticeWindow>(
        [this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) { receive(message, wParam, lParam); });
}

wi::WaveFormat TRecorder::formatFor(int rate, int channels, int bits) const {
    wi::WaveFormat f{};
    f.formatTag = wi::WAVE_FORMAT_PCM;
    f.channels = static_cast<std::uint16_t>(channels);
    f.samplesPerSec = static_cast<std::uint32_t>(rate);
    f.avgBytesPerSec = static_cast<std::uint32_t>(std::int64_t{rate} * channels * bits / 8);
    f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    f.bitsPerSample = static_cast<std::uint16_t>(bits);
    f.extraSize = 0;
    return f;
}

void TRecorder::OpenDevice() {
    if (handle_ || openGuard_) return;
    openGuard_ = true;

    const int channels = quality_->Channels();
    const int rate = quality_->Frequency();
    const int bits = quality_->BitsPerSample();
    const wi::WaveFormat format = formatFor(rate, channels, bits);

    wi::MMRESULT result = wi::waveInOpen(nullptr, device_->id(), &format, nullptr, wi::WAVE_FORMAT_QUERY);
    if (result != wi::MMSYSERR_NOERROR)
        throw EInOutError("waveInOpenQuery: " + WaveErrorText(result), static_cast<int>(result));

    // A block must hold something, and the ring must stay addressable by the
    // header's 32-bit length.
    const std::int64_t bytes = std::int64_t{channels} * bufSize_ * bits / 8;
    if (bytes <= 0 || bytes * BlockCount > std::numeric_limits<std::int32_t>::max())
        throw EInOutError("waveInOpen: " + WaveErrorText(wi::MMSYSERR_INVALPARAM),
                          static_cast<int>(wi::MMSYSERR_INVALPARAM));
    blockBytes_ = static_cast<int>(bytes);
    blockMemory_.assign(static_cast<std::size_t>(bytes) * BlockCount, 0);

    ensureNoticeWindow();
    wi::HWAVEIN handle = nullptr;
    result = wi::waveInOpen(&handle, device_->id(), &format, noticeWindow_.get(), wi::CALLBACK_WINDOW);
    if (result != wi::MMSYSERR_NOERROR) {
        blockMemory_.clear();
        blockMemory_.shrink_to_fit();
        throw EInOutError("waveInOpen: " + WaveErrorText(result), static_cast<int>(result));
    }
    handle_ = handle;
    openChannels_ = channels;
    openBits_ = bits;
    openFrequency_ = rate;
    // The ring starts over with every opening: block 0 is the first to come back.
    currentIndex_ = 0;
    headers_ = {};
    for (int k = 0; k < BlockCount - 1; ++k) {
        armHeader(k);
        wi::waveInPrepareHeader(handle_, &headers_[k]);
        wi::waveInAddBuffer(handle_, &headers_[k]);
    }
}

void TRecorder::armHeader(int k) {
    wi::WaveHeader& h = headers_[static_cast<std::size_t>(k)];
    h = wi::WaveHeader{};
    h.data = reinterpret_cast<char*>(blockMemory_.data()) + std::size_t(k) * std::size_t(blockBytes_);
    h.bufferLength = static_cast<std::uint32_t>(blockBytes_);
    h.flags = 0;
    h.loops = 0;
}

void TRecorder::CloseDevice() {
    openGuard_ = false;
    if (handle_) {
        wi::waveInReset(handle_);
        wi::waveInClose(handle_);
        handle_ = nullptr;
    }
    // The held block lives in the ring memory: forget it with the memory.
    blockData_ = nullptr;
    blockFrames_ = 0;
    blockBytesRecorded_ = 0;
    headers_ = {};
    blockMemory_.clear();
    blockMemory_.shrink_to_fit();
}

void TRecorder::Start() {
    OpenDevice();
    // After a guarded (failed) opening there is no handle to start: nothing
    // happens, and nothing is reported.
    if (handle_) wi::waveInStart(handle_);
}

void TRecorder::Stop() {
    if (handle_) wi::waveInStop(handle_);
    openGuard_ = false;
    CloseDevice();
}

void TRecorder::Reset() {
    if (handle_) wi::waveInReset(handle_);
    openGuard_ = false;
}

void TRecorder::Open() { OpenDevice(); }

void TRecorder::Close() {
    if (handle_) Stop();
    noticeWindow_.reset();
}

void TRecorder::NextBlock() {
    if (!handle_) return;
    if (!(headers_[std::size_t(currentIndex_)].flags & wi::WHDR_DONE)) return;
    const int b = currentIndex_;
    currentIndex_ = (b + 1) % BlockCount;
    const int p = (b + BlockCount - 1) % BlockCount;

    wi::WaveHeader& taken = headers_[std::size_t(b)];
    wi::waveInUnprepareHeader(handle_, &taken);

    armHeader(p);
    wi::waveInPrepareHeader(handle_, &headers_[std::size_t(p)]);
    wi::waveInAddBuffer(handle_, &headers_[std::size_t(p)]);

    blockData_ = reinterpret_cast<const std::uint8_t*>(taken.data);
    blockBytesRecorded_ = static_cast<int>(std::min(taken.bytesRecorded, taken.bufferLength));
    const int bitsPerFrame = openChannels_ * openBits_;
    blockFrames_ = bitsPerFrame > 0 ? static_cast<int>(std::int64_t{blockBytesRecorded_} * 8 / bitsPerFrame) : 0;
}

void TRecorder::receive(unsigned message, std::uintptr_t wParam, std::intptr_t) {
    const bool fromOpenDevice = handle_ && wParam == reinterpret_cast<std::uintptr_t>(handle_);
    switch (message) {
    case wi::MM_WIM_OPEN:
        notifyListeners(aeOpen);
        break;
    case wi::MM_WIM_CLOSE:
        // Reports of a device we already closed: nothing to tell.
        if (fromOpenDevice) notifyListeners(aeClose);
        break;
    case wi::MM_WIM_DATA:
        // The blocks a closing device hands back lie in memory already released.
        if (!fromOpenDevice) break;
        NextBlock();
        notifyListeners(aeData);
        if (OnSample) OnSample(this);
        break;
    case WM_USER:
        autoStart();
        break;
    default:
        break;
    }
}

void TRecorder::notifyListeners(TAudioEvent event) { listeners_.notify(this, event); }

void TRecorder::autoStart() {
    if (!autoStart_) return;
    try {
        Start();
    } catch (const Exception& e) {
        ShowAudioMessage(std::string(e.className()) + " " + e.message(), "EntradaAudio auto-start");
    } catch (const std::exception& e) {
        ShowAudioMessage(std::string("Exception ") + e.what(), "EntradaAudio auto-start");
    }
}

void TRecorder::AddListener(const TAudioListener& listener) {
    if (listeners_.add(listener)) FreeNotification(listener.object);
}

void TRecorder::RemoveListener(const TAudioListener& listener) { listeners_.remove(listener); }

void TRecorder::Notification(platform::Component* component, Operation operation) {
    if (operation == Operation::opRemove) listeners_.forget(component);
    platform::Component::Notification(component, operation);
}

int TRecorder::DeviceCount() { return static_cast<int>(wi::waveInGetNumDevs()); }

bool TRecorder::QualitySupported() {
    return FormatSupported(quality_->Frequency(), quality_->Channels(), quality_->BitsPerSample());
}

bool TRecorder::FormatSupported(int rate, int channels, int bits) {
    const wi::WaveFormat format = formatFor(rate, channels, bits);
    return wi::waveInOpen(nullptr, device_->id(), &format, nullptr, wi::WAVE_FORMAT_QUERY) ==
           wi::MMSYSERR_NOERROR;
}

int TRecorder::SampleValue(int i) const {
    if (!blockData_ || i < 0 || i >= blockFrames_) return 0;
    const std::uint8_t* u = blockData_;
    auto s = [u](int k) { return int(std::int16_t(std::uint16_t(u[2 * k] | (u[2 * k + 1] << 8)))); };
    if (openChannels_ == 1 && openBits_ == 8) return u[i] * 64 - 8192;
    if (openChannels_ == 1 && openBits_ == 16) return s(i);
    if (openChannels_ == 2 && openBits_ == 8) return (u[2 * i] + u[2 * i + 1]) * 128 - 32768;
    if (openChannels_ == 2 && openBits_ == 16) return (s(2 * i) + s(2 * i + 1)) / 2;
    return i < blockBytesRecorded_ ? u[i] : 0;
}

void TRecorder::SetDevice(std::unique_ptr<TWaveInDeviceID> device) {
    if (device) device_ = std::move(device);
}

void TRecorder::SetQuality(std::unique_ptr<TAudioLineParameters> quality) {
    if (quality) quality_ = std::move(quality);
}

void TRecorder::SetBufSize(int frames) {
    bufSize_ = frames;
    CloseDevice();
}

unsigned TRecorder::SamplePos() {
    OpenDevice();
    std::uint32_t samples = 0;
    if (handle_) wi::waveInGetPosition(handle_, &samples);
    return samples;
}

wi::HWAVEIN TRecorder::Handle() {
    if (!handle_) OpenDevice();
    return handle_;
}
