#include "midi/saida_midi.h"

SaidaMIDI::SaidaMIDI(const std::filesystem::path& localBiblioteca)
    : biblioteca_(std::make_unique<TMaxMidi>(localBiblioteca)), saida_(std::make_unique<TMaxMidiOut>()) {
    saida_->setMaxMidi(biblioteca_.get());
    const int quantidade = saida_->numDevices();
    for (int d = TMaxMidiOut::Mapper; d < quantidade && !saida_->isOpen(); ++d) {
        dispositivo_ = d;
        saida_->open(d, TamanhoBuffer);
    }
    enviarMensagem(0xC0, 27, 0);
}

SaidaMIDI::~SaidaMIDI() {
    if (saida_->isOpen()) {
        saida_->flush();
        saida_->reset();
        saida_->close();
    }
    saida_.reset();
    biblioteca_.reset();
}

void SaidaMIDI::silenciar() {
    if (saida_->isOpen()) saida_->reset();
}

void SaidaMIDI::enviarMensagem(uint8_t status, uint8_t dado1, uint8_t dado2) {
    if (!saida_->isOpen()) return;
    const MidiEvent evento{0, status, dado1, dado2, 0};
    saida_->put(evento);
}

void SaidaMIDI::selecionarInstrumento(uint8_t canal, uint8_t programa) {
    // Past channel 15, 0xB0 + canal would be some other message entirely.
    if (canal > 15 || programa > 127) return;
    enviarMensagem(0xB0 + canal, 0, 0);
    enviarMensagem(0xC0 + canal, programa, 0);
}
