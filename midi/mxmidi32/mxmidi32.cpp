// The exported entry points: a table of open outputs behind plain handles.

#include "midi/mxmidi32/mxmidi32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "midi/mxmidi32/output.h"
#include "midi/mxmidi32/sequencer_output.h"
#include "midi/mxmidi32/synth_output.h"

namespace {

constexpr uint32_t kVersion = 0x0200;

struct Registry {
    std::mutex mutex;
    // Handle value -> output. A handle is the output's address, so it is
    // always far above MXMIDI_FAILED_HANDLE_MAX.
    std::map<MxMidiHandle, std::unique_ptr<mxmidi::Output>> open;
    // Open mappers in the order they were opened; the test hooks use the last.
    std::vector<std::pair<MxMidiHandle, mxmidi::SynthOutput*>> mappers;
};

Registry& registry() {
    static Registry r;
    return r;
}

bool offlineRequested() {
    const char* v = std::getenv("MXMIDI_OFFLINE");
    return v && *v && std::strcmp(v, "0") != 0;
}

template <typename Operation>
int withOutput(MxMidiHandle handle, Operation op) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.open.find(handle);
    if (it == r.open.end()) return MXMIDI_BAD_HANDLE;
    return op(*it->second);
}

// The most recently opened mapper that is still open; call with the lock held.
mxmidi::SynthOutput* currentMapper(Registry& r) {
    return r.mappers.empty() ? nullptr : r.mappers.back().second;
}

void copyText(const std::string& text, char* out, int size) {
    if (!out || size <= 0) return;
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

}  // namespace

extern "C" {

uint32_t GetMaxMidiVersion(void) { return kVersion; }

int GetNumOutDevices(void) { return mxmidi::countSequencerPorts(); }

MxMidiHandle OpenMidiOut(void* /*window*/, uint16_t device, MxMidiHandle /*sync*/, uint32_t bufferSize) {
    std::unique_ptr<mxmidi::Output> output;
    mxmidi::SynthOutput* mapper = nullptr;
    if (device == MXMIDI_MAPPER) {
        auto synth = mxmidi::SynthOutput::open(offlineRequested());
        mapper = synth.get();
        output = std::move(synth);
    } else {
        output = mxmidi::SequencerOutput::open(device, bufferSize);
    }
    if (!output) return 0;

    const auto handle = reinterpret_cast<MxMidiHandle>(output.get());
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.open.emplace(handle, std::move(output));
    if (mapper) r.mappers.emplace_back(handle, mapper);
    return handle;
}

int PutMidiOut(MxMidiHandle handle, const MidiEvent* event) {
    if (!event) return MXMIDI_BAD_EVENT;
    const MidiEvent copy = *event;  // the caller's record may go once we return
    return withOutput(handle, [&](mxmidi::Output& o) { return o.put(copy); });
}

int ResetMidiOut(MxMidiHandle handle) {
    return withOutput(handle, [](mxmidi::Output& o) { return o.reset(); });
}

int FlushMidiOut(MxMidiHandle handle) {
    return withOutput(handle, [](mxmidi::Output& o) { return o.flush(); });
}

int CloseMidiOut(MxMidiHandle handle) {
    std::unique_ptr<mxmidi::Output> closing;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        auto it = r.open.find(handle);
        if (it == r.open.end()) return MXMIDI_BAD_HANDLE;
        closing = std::move(it->second);
        r.open.erase(it);
        std::erase_if(r.mappers, [&](const auto& m) { return m.first == handle; });
    }
    closing.reset();  // outside the lock: stopping an audio driver takes a while
    return MXMIDI_OK;
}

int MxMidiRender(float* left, float* right, int frames) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    mxmidi::SynthOutput* mapper = currentMapper(r);
    return mapper ? mapper->render(left, right, frames) : 0;
}

int MxMidiMapperSettings(int* sampleRate, int* periodSize, int* periods, char* soundFont, int soundFontSize) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    mxmidi::SynthOutput* mapper = currentMapper(r);
    if (!mapper) return 0;
    if (sampleRate) *sampleRate = mxmidi::SynthSettings::sampleRate;
    if (periodSize) *periodSize = mxmidi::SynthSettings::periodSize;
    if (periods) *periods = mxmidi::SynthSettings::periods;
    copyText(mapper->soundFont().string(), soundFont, soundFontSize);
    return 1;
}

int MxMidiMapperProgram(int channel, int* bank, int* program, char* name, int nameSize) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    mxmidi::SynthOutput* mapper = currentMapper(r);
    int b = 0, p = 0;
    std::string n;
    if (!mapper || channel < 0 || channel > 15 || !mapper->program(channel, b, p, n)) return 0;
    if (bank) *bank = b;
    if (program) *program = p;
    copyText(n, name, nameSize);
    return 1;
}

}  // extern "C"
