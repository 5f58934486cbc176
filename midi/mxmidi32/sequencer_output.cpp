#include "midi/mxmidi32/sequencer_output.h"

#include <alsa/asoundlib.h>

#include <mutex>
#include <vector>

namespace mxmidi {
namespace {

struct SeqCloser {
    void operator()(snd_seq_t* seq) const { snd_seq_close(seq); }
};
struct EncoderFreer {
    void operator()(snd_midi_event_t* e) const { snd_midi_event_free(e); }
};
using SeqPtr = std::unique_ptr<snd_seq_t, SeqCloser>;

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

// A missing sequencer is a normal answer ("no external devices"), not
// something for ALSA to print on stderr.
void silenceAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(quietAlsa); });
}

SeqPtr openSequencer() {
    silenceAlsa();
    snd_seq_t* seq = nullptr;
    // Non-blocking: a stuck receiver must never hang the caller.
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK) < 0) return nullptr;
    return SeqPtr(seq);
}

std::vector<snd_seq_addr_t> writablePorts(snd_seq_t* seq) {
    std::vector<snd_seq_addr_t> ports;
    snd_seq_client_info_t* client;
    snd_seq_port_info_t* port;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_alloca(&port);
    const int self = snd_seq_client_id(seq);
    constexpr unsigned wanted = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;

    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(seq, client) >= 0) {
        const int id = snd_seq_client_info_get_client(client);
        if (id == SND_SEQ_CLIENT_SYSTEM || id == self) continue;
        snd_seq_port_info_set_client(port, id);
        snd_seq_port_info_set_port(port, -1);
        while (snd_seq_query_next_port(seq, port) >= 0) {
            const unsigned caps = snd_seq_port_info_get_capability(port);
            if ((caps & wanted) != wanted || (caps & SND_SEQ_PORT_CAP_NO_EXPORT)) continue;
            ports.push_back(*snd_seq_port_info_get_addr(port));
        }
    }
    return ports;
}

}  // namespace

struct SequencerOutput::Handles {
    SeqPtr seq;
    std::unique_ptr<snd_midi_event_t, EncoderFreer> encoder;
    int port = -1;

    int send(snd_seq_event_t& ev) {
        snd_seq_ev_set_source(&ev, port);
        snd_seq_ev_set_subs(&ev);
        snd_seq_ev_set_direct(&ev);
        if (snd_seq_event_output(seq.get(), &ev) < 0) return MXMIDI_DEVICE_ERROR;
        const int r = snd_seq_drain_output(seq.get());
        return r < 0 && r != -EAGAIN ? MXMIDI_DEVICE_ERROR : MXMIDI_OK;
    }
};

int countSequencerPorts() {
    SeqPtr seq = openSequencer();
    return seq ? static_cast<int>(writablePorts(seq.get()).size()) : 0;
}

SequencerOutput::SequencerOutput(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
SequencerOutput::~SequencerOutput() = default;

std::unique_ptr<SequencerOutput> SequencerOutput::open(int index, unsigned bufferSize) {
    auto h = std::make_unique<Handles>();
    h->seq = openSequencer();
    if (!h->seq || index < 0) return nullptr;
    const auto ports = writablePorts(h->seq.get());
    if (static_cast<size_t>(index) >= ports.size()) return nullptr;

    snd_seq_t* seq = h->seq.get();
    snd_seq_set_client_name(seq, "Zelmora Quindral");
    h->port = snd_seq_create_simple_port(seq, "reference tones",
                                         SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                         SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (h->port < 0) return nullptr;
    if (snd_seq_connect_to(seq, h->port, ports[index].client, ports[index].port) < 0) return nullptr;
    if (bufferSize > 0) snd_seq_set_output_buffer_size(seq, bufferSize);

    snd_midi_event_t* encoder = nullptr;
    if (snd_midi_event_new(16, &encoder) < 0) return nullptr;
    h->encoder.reset(encoder);
    return std::unique_ptr<SequencerOutput>(new SequencerOutput(std::move(h)));
}

int SequencerOutput::put(const MidiEvent& e) {
    if (!midiDataValid(e)) return MXMIDI_BAD_EVENT;
    const unsigned char bytes[3] = {e.status, e.data1, e.data2};
    snd_seq_event_t ev;
    snd_seq_ev_clear(&ev);
    snd_midi_event_reset_encode(handles_->encoder.get());
    snd_midi_event_encode(handles_->encoder.get(), bytes, midiMessageLength(e.status), &ev);
    if (ev.type == SND_SEQ_EVENT_NONE) return MXMIDI_BAD_EVENT;
    return handles_->send(ev);
}

int SequencerOutput::reset() {
    int result = MXMIDI_OK;
    // All notes off before all sound off: a synthesizer that applies both
    // at once (FluidSynth does) would otherwise let the notes ring out in
    // their release instead of cutting them.
    for (int ch = 0; ch < 16; ++ch) {
        for (unsigned char controller : {kAllNotesOff, kAllSoundOff}) {
            snd_seq_event_t ev;
            snd_seq_ev_clear(&ev);
            snd_seq_ev_set_controller(&ev, ch, controller, 0);
            if (handles_->send(ev) != MXMIDI_OK) result = MXMIDI_DEVICE_ERROR;
        }
    }
    return result;
}

int SequencerOutput::flush() {
    const int r = snd_seq_drain_output(handles_->seq.get());
    return r < 0 && r != -EAGAIN ? MXMIDI_DEVICE_ERROR : MXMIDI_OK;
}

}  // namespace mxmidi
