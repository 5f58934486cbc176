#pragma once
// TRecorder: captures PCM blocks from a wave-input device.
//
// A ring of 8 equal blocks: 7 queued with the device, one (the newest finished
// block) held for the consumers. On every data report the recorder takes the
// finished block as its current block, hands the previous current block back
// to the device, then tells its listeners (slot order 0..5) and OnSample.
// Reports and the auto-start request arrive at the recorder's notice window,
// so everything runs on the main thread.
//
// States: closed (no handle) -> open (OpenDevice: 7 blocks queued, not
// capturing) -> capturing (Start). Stop and Close return to closed.
//
// The open guard: set when an opening attempt begins and cleared only by
// Stop, Reset and CloseDevice (so also by the BufSize setter and Close).
// After a failed opening it stays set and every further opening attempt
// returns at once without a handle; Start then starts nothing, silently.

#include "audio/audio_line_parameters.h"
#include "audio/audio_listener.h"
#include "audio/wave_in_device_id.h"
#include "platform/core/component.h"
#include "platform/wavein/wavein.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace platform {
class NoticeWindow;
}

class TRecorder : public platform::Component {
public:
    using SampleEvent = std::function<void(TRecorder* sender)>;

    static constexpr int BlockCount = 8;
    static constexpr int ListenerSlots = 6;
    // Auto-start request message number at the notice window (WM_USER).
    static constexpr unsigned WM_USER = 0x400;

    // Creates the notice window and posts the auto-start request to it.
    explicit TRecorder(platform::Component* owner = nullptr);
    ~TRecorder() override;

    // current index := 0, then start capture, opening the device first when
    // there is none. Raises EInOutError when the opening fails.
    virtual void Start();
    // If open: stop capture. Clears the open guard; closes the device.
    virtual void Stop();
    // If open: stop capture, every queued block comes back. Clears the open
    // guard; the device stays open.
    virtual void Reset();
    // Makes sure the device is open (EInOutError on failure).
    virtual void Open();
    // If open: Stop. Then destroys the notice window (reports still pending
    // for it are dropped); the next opening creates a new one.
    virtual void Close();
    // Takes the finished block on a data report (see BlockData).
    virtual void NextBlock();
    // The highest-numbered empty slot of six receives `listener`; when none
    // is empty the request is ignored. Asks the listener's object for a
    // removal notice.
    virtual void AddListener(const TAudioListener& listener);
    // Empties every slot holding exactly this (object, method).
    virtual void RemoveListener(const TAudioListener& listener);
    // Number of wave-input devices of the system.
    static int DeviceCount();
    // FormatSupported with Quality's values.
    virtual bool QualitySupported();
    // Whether device Device().id() accepts PCM at `rate` Hz, `channels`,
    // `bits` bits per sample.
    virtual bool FormatSupported(int rate, int channels, int bits);

    // Frame i (0 <= i < BlockFrames()) of the current block, channels mixed:
    //   8-bit mono    u*64 - 8192              (-8192..8128)
    //   16-bit mono   s                        (-32768..32767)
    //   8-bit stereo  (u0+u1)*128 - 32768      (-32768..32512)
    //   16-bit stereo (s0+s1)/2 toward zero
    //   otherwise     byte i of the block, unconverted.
    // 0 for a frame outside the current block (or before the first block).
    int SampleValue(int i) const;

    // Start of the current block (interleaved PCM); null before the first
    // block and after the device closed.
    const std::uint8_t* BlockData() const { return blockData_; }
    // Frames in the current block; 0 before the first block.
    int BlockFrames() const { return blockFrames_; }
    // The format the current block was recorded in: fixed at each opening,
    // so changing Quality while capturing does not change how a block reads.
    int BlockChannels() const { return openChannels_; }
    int BlockBitsPerSample() const { return openBits_; }
    int BlockFrequency() const { return openFrequency_; }

    // Owned settings; the setters destroy the owned object and own the given
    // one instead (null is ignored). Changes take effect at the next opening.
    TWaveInDeviceID& Device() { return *device_; }
    void SetDevice(std::unique_ptr<TWaveInDeviceID> device);
    TAudioLineParameters& Quality() { return *quality_; }
    void SetQuality(std::unique_ptr<TAudioLineParameters> quality);

    // Frames per block, default 256. Setting it closes the device: a running
    // capture ends and is not restarted.
    int BufSize() const { return bufSize_; }
    void SetBufSize(int frames);

    // Start capture by itself once the message loop runs (default true).
    bool AutoStart() const { return autoStart_; }
    void SetAutoStart(bool value) { autoStart_ = value; }

    // Device position in frames; opens the device when there is none.
    unsigned SamplePos();
    // The device handle, opening the device when there is none (null after a
    // failed or guarded opening).
    platform::wavein::HWAVEIN Handle();

    // Called after each finished block, after the listeners.
    SampleEvent OnSample;

protected:
    void Notification(platform::Component* component, Operation operation) override;

private:
    void OpenDevice();
    void CloseDevice();
    platform::wavein::WaveFormat formatFor(int rate, int channels, int bits) const;
    void armHeader(int k);
    void receive(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void notifyListeners(TAudioEvent event);
    void autoStart();
    void ensureNoticeWindow();

    std::unique_ptr<TWaveInDeviceID> device_;
    std::unique_ptr<TAudioLineParameters> quality_;
    int bufSize_ = 256;
    bool autoStart_ = true;

    int blockBytes_ = 0;
    std::vector<std::uint8_t> blockMemory_;  // BlockCount * blockBytes_, one allocation
    std::array<platform::wavein::WaveHeader, BlockCount> headers_{};
    int currentIndex_ = 0;
    platform::wavein::HWAVEIN handle_ = nullptr;
    std::unique_ptr<platform::NoticeWindow> noticeWindow_;
    TAudioListenerSlots<ListenerSlots> listeners_;
    bool openGuard_ = false;

    const std::uint8_t* blockData_ = nullptr;
    int blockFrames_ = 0;
    int blockBytesRecorded_ = 0;
    int openChannels_ = 0;
    int openBits_ = 0;
    int openFrequency_ = 0;
};
