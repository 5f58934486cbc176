#pragma once
// SaidaMIDI: sounds a string's reference note on the MIDI synthesizer.
// Opens one output at creation (the mapper first, then the devices in
// order) and then sends short messages only: no note-off, no timer. When no
// output opens, every request is dropped silently.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "midi/max_midi.h"
#include "midi/max_midi_out.h"

class SaidaMIDI {
public:
    // Output buffer handed to the device when it opens, in bytes.
    static constexpr uint32_t TamanhoBuffer = 78624;

    // Loads the MIDI library from `localBiblioteca` (see TMaxMidi; empty:
    // the application folder) and raises EMaxMidiException when it cannot.
    // Opens an output, then selects program 27 on channel 0.
    explicit SaidaMIDI(const std::filesystem::path& localBiblioteca = {});
    // If open: flush, reset, close; then the output and the library go.
    ~SaidaMIDI();
    SaidaMIDI(const SaidaMIDI&) = delete;
    SaidaMIDI& operator=(const SaidaMIDI&) = delete;

    // Stops every sounding note (the output stays open); nothing if closed.
    void silenciar();
    // Sends one message (status, data 1, data 2) at once if the output is
    // open; the device's result is ignored.
    void enviarMensagem(uint8_t status, uint8_t dado1, uint8_t dado2);
    // Bank 0 then `programa` (0..127, General MIDI, counted from 0) on
    // `canal` (0..15); out-of-range values send nothing.
    void selecionarInstrumento(uint8_t canal, uint8_t programa);

    bool estaAberta() const { return saida_->isOpen(); }
    // The last device number tried when opening (-1 is the mapper).
    int obterDispositivo() const { return dispositivo_; }

private:
    int dispositivo_ = TMaxMidiOut::Mapper;
    // The output is declared after the library so it goes first.
    std::unique_ptr<TMaxMidi> biblioteca_;
    std::unique_ptr<TMaxMidiOut> saida_;
};
