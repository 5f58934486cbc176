#pragma once
// One tuning of one instrument: its name, the tuning type's name and, per
// string, the note name, MIDI note (0..126) and target frequency in Hz.
// String index i runs 0..obterNumeroCordas()-1 in file order; no operation
// checks it, callers pass a valid index.

#include <cstdint>
#include <string>
#include <vector>

class Afinacao {
public:
    // Takes the three per-string sequences (each `numeroCordas` long, agreeing
    // with each other by the note relation in tunings/nota.h) by move.
    // `numeroCordas` is at least 1.
    Afinacao(std::string instrumento, std::string tipoAfinacao, std::int32_t numeroCordas,
             std::vector<std::string> nomesCordas, std::vector<std::int32_t> notasMIDI,
             std::vector<double> frequencias);

    // A record whose names and frequencies follow from `notasMIDI` (each
    // 0..126, at least one) by the note relation.
    static Afinacao criar(std::string instrumento, std::string tipoAfinacao,
                          std::vector<std::int32_t> notasMIDI);

    std::string obterInstrumento() const { return instrumento_; }
    std::string obterTipoAfinacao() const { return tipoAfinacao_; }  // may be empty
    std::int32_t obterNumeroCordas() const { return numeroCordas_; }
    std::string obterNomeCorda(std::int32_t i) const { return nomesCordas_[i]; }
    std::int32_t obterNotaMIDI(std::int32_t i) const { return notasMIDI_[i]; }
    double obterFrequencia(std::int32_t i) const { return frequencias_[i]; }  // Hz

    // True when f (Hz) lies in the band of string i: from F - F*2/9 to
    // F + F*2/9 (7/9 to 11/9 of the string's frequency F), both edges
    // inside. Called per spectrum bin on every tick: a table read and two
    // comparisons, no allocation.
    bool pertenceACorda(std::int32_t f, std::int32_t i) const {
        const double x = static_cast<double>(f);
        return bordaInferior_[i] <= x && x <= bordaSuperior_[i];
    }

    // "Instrument (Type) - E, A, D, G, B, E"; without a type no parentheses.
    std::string obterDescricao() const;

    void definirInstrumento(std::string texto) { instrumento_ = std::move(texto); }
    void definirTipoAfinacao(std::string texto) { tipoAfinacao_ = std::move(texto); }

private:
    std::string instrumento_;
    std::string tipoAfinacao_;
    std::int32_t numeroCordas_;
    std::vector<std::string> nomesCordas_;
    std::vector<std::int32_t> notasMIDI_;
    std::vector<double> frequencias_;
    // Band edges per string, fixed at construction so the band test only reads.
    std::vector<double> bordaInferior_;
    std::vector<double> bordaSuperior_;
};
