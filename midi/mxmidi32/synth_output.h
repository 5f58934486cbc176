#pragma once
// The mapper: a FluidSynth General-MIDI synthesizer playing through the
// default audio output, or rendered on demand when opened offline.

#include <filesystem>
#include <memory>
#include <string>

#include "midi/mxmidi32/output.h"

namespace mxmidi {

// Sound settings of the mapper. A note-on waits at most for the audio
// already queued, (periods + 1) * periodSize frames (the device's buffer plus
// the period waiting to enter it), plus one 64-frame synthesis block:
// 1088 frames at 48 kHz, 22.7 ms. PulseAudio is asked for one period.
struct SynthSettings {
    static constexpr int sampleRate = 48000;  // Hz; what PulseAudio and PipeWire run at
    static constexpr int periodSize = 256;    // frames per audio write (5.3 ms)
    static constexpr int periods = 3;         // periods in the device's buffer (ALSA)
    static constexpr double gain = 0.5;       // one note at velocity 127 peaks near 0.2
};

// The General-MIDI sound font to use: $MXMIDI_SOUNDFONT when it names a
// file, else the best one installed (FluidR3_GM, the system's default-GM,
// TimGM6mb, then the other usual places). Empty when there is none.
std::filesystem::path findSoundFont();

class SynthOutput final : public Output {
public:
    // Opens the synthesizer. `offline`: start no audio driver; sound comes
    // only from render(). Returns nullptr when there is no sound font or no
    // audio driver (PulseAudio, PipeWire, ALSA, tried in that order) starts.
    static std::unique_ptr<SynthOutput> open(bool offline);
    ~SynthOutput() override;

    int put(const MidiEvent& event) override;
    int reset() override;
    int flush() override { return MXMIDI_OK; }  // nothing is ever held back

    bool offline() const;
    int render(float* left, float* right, int frames);
    const std::filesystem::path& soundFont() const { return soundFont_; }
    // Bank, program and preset name on `channel`; false when it has none.
    bool program(int channel, int& bank, int& program, std::string& name) const;

private:
    struct Handles;
    explicit SynthOutput(std::unique_ptr<Handles> handles, std::filesystem::path soundFont);
    std::unique_ptr<Handles> handles_;
    std::filesystem::path soundFont_;
};

}  // namespace mxmidi
