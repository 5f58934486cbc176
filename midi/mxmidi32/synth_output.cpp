#include "midi/mxmidi32/synth_output.h"

#include <fluidsynth.h>

#include <array>
#include <cstdlib>
#include <mutex>
#include <system_error>

namespace mxmidi {
namespace {

struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct DriverDeleter {
    void operator()(fluid_audio_driver_t* d) const { delete_fluid_audio_driver(d); }
};

// FluidSynth reports failed drivers on stderr; a failed open is an answer
// here, not something to print. Panics still get through.
void silenceFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

bool isFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);  // follows default-GM's symlink
}

}  // namespace

struct SynthOutput::Handles {
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth;
    // Declared last so it goes first: the driver's thread renders the synth.
    std::unique_ptr<fluid_audio_driver_t, DriverDeleter> driver;
};

std::filesystem::path findSoundFont() {
    if (const char* chosen = std::getenv("MXMIDI_SOUNDFONT"); chosen && isFile(chosen))
        return chosen;
    static const std::array<const char*, 6> candidates = {
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/default-GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/soundfonts/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
        "/usr/share/sounds/sf2/FluidR3_GS.sf2",
    };
    for (const char* c : candidates)
        if (isFile(c)) return c;
    return {};
}

SynthOutput::SynthOutput(std::unique_ptr<Handles> handles, std::filesystem::path soundFont)
    : handles_(std::move(handles)), soundFont_(std::move(soundFont)) {}

SynthOutput::~SynthOutput() = default;

std::unique_ptr<SynthOutput> SynthOutput::open(bool offline) {
    silenceFluidLog();
    std::filesystem::path soundFont = findSoundFont();
    if (soundFont.empty()) return nullptr;

    auto h = std::make_unique<Handles>();
    h->settings.reset(new_fluid_settings());
    if (!h->settings) return nullptr;
    fluid_settings_t* s = h->settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", SynthSettings::sampleRate);
    fluid_settings_setnum(s, "synth.gain", SynthSettings::gain);
    // A tuner's reference is a dry tone, and a reset must leave no reverb
    // or chorus tail ringing on after the note is cut.
    fluid_settings_setint(s, "synth.reverb.active", 0);
    fluid_settings_setint(s, "synth.chorus.active", 0);
    fluid_settings_setint(s, "audio.period-size", SynthSettings::periodSize);
    fluid_settings_setint(s, "audio.periods", SynthSettings::periods);

    h->synth.reset(new_fluid_synth(s));
    if (!h->synth) return nullptr;
    if (fluid_synth_sfload(h->synth.get(), soundFont.c_str(), 1) == FLUID_FAILED) return nullptr;

    if (!offline) {
        for (const char* name : {"pulseaudio", "pipewire", "alsa"}) {
            if (fluid_settings_setstr(s, "audio.driver", name) != FLUID_OK) continue;  // not built in
            h->driver.reset(new_fluid_audio_driver(s, h->synth.get()));
            if (h->driver) break;
        }
        if (!h->driver) return nullptr;
    }
    return std::unique_ptr<SynthOutput>(new SynthOutput(std::move(h), std::move(soundFont)));
}

bool SynthOutput::offline() const { return !handles_->driver; }

int SynthOutput::put(const MidiEvent& e) {
    if (!midiDataValid(e)) return MXMIDI_BAD_EVENT;
    fluid_synth_t* synth = handles_->synth.get();
    const int ch = e.status & 0x0F;
    int r = FLUID_OK;
    switch (e.status & 0xF0) {
        case 0x80: r = fluid_synth_noteoff(synth, ch, e.data1); break;
        case 0x90: r = fluid_synth_noteon(synth, ch, e.data1, e.data2); break;
        case 0xA0: r = fluid_synth_key_pressure(synth, ch, e.data1, e.data2); break;
        case 0xB0: r = fluid_synth_cc(synth, ch, e.data1, e.data2); break;
        case 0xC0: r = fluid_synth_program_change(synth, ch, e.data1); break;
        case 0xD0: r = fluid_synth_channel_pressure(synth, ch, e.data1); break;
        case 0xE0: r = fluid_synth_pitch_bend(synth, ch, e.data1 | (e.data2 << 7)); break;
        default:
            if (e.status == 0xFF) r = fluid_synth_system_reset(synth);
            // Other system messages (clock, song position...) mean nothing
            // to a synthesizer without a sequencer: accepted, no effect.
            break;
    }
    // A note-off for a key that is not sounding is no failure of the device.
    if ((e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data2 == 0)) return MXMIDI_OK;
    return r == FLUID_OK ? MXMIDI_OK : MXMIDI_DEVICE_ERROR;
}

int SynthOutput::reset() {
    fluid_synth_t* synth = handles_->synth.get();
    // Voices stop at the next synthesis block; programs and banks stay.
    // All sound off only: an all-notes-off after it would turn the cut back
    // into a slow release, as FluidSynth applies both at the same block.
    return fluid_synth_all_sounds_off(synth, -1) == FLUID_OK ? MXMIDI_OK : MXMIDI_DEVICE_ERROR;
}

int SynthOutput::render(float* left, float* right, int frames) {
    if (!offline() || frames <= 0 || !left || !right) return 0;
    if (fluid_synth_write_float(handles_->synth.get(), frames, left, 0, 1, right, 0, 1) != FLUID_OK) return 0;
    return frames;
}

bool SynthOutput::program(int channel, int& bank, int& program, std::string& name) const {
    fluid_synth_t* synth = handles_->synth.get();
    int sfontId = 0, b = 0, p = 0;
    if (fluid_synth_get_program(synth, channel, &sfontId, &b, &p) != FLUID_OK) return false;
    fluid_sfont_t* sfont = fluid_synth_get_sfont_by_id(synth, sfontId);
    fluid_preset_t* preset = sfont ? fluid_sfont_get_preset(sfont, b, p) : nullptr;
    if (!preset) return false;
    bank = b;
    program = p;
    name = fluid_preset_get_name(preset);
    return true;
}

}  // namespace mxmidi
