#pragma once
// The tunings-file reader: turns every valid entry of a tunings file into an
// Afinacao, in file order, and expands the language keys ("#" and three
// characters) of the instrument and tuning-type texts.
//
// An entry is an element `Afinacao` holding `instrumento` and `tipoAfinacao`
// (texts, optional), `numeroCordas` (integer) and `frequenciasMIDI`, whose
// every text part is one MIDI note number. Names are compared exactly.
// Integers follow platform::strToInt. An entry is dropped, silently, when
// its count of numbers differs from `numeroCordas`, when that is missing,
// zero or negative, when a number is outside 0..126, or when numbers come
// before the string count is known (or a second count follows numbers).

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tunings/afinacao.h"

class XMLAfinacaoParser {
public:
    // Text of key `chave` in section `secao` of the current language; "" when
    // missing.
    using ObterTexto = std::function<std::string(const std::string& secao, const std::string& chave)>;

    // The most expansions one text gets; keys still left after that are
    // removed unlooked-up, so a language text leading back to its own key
    // cannot hang the reading.
    static constexpr int maximoExpansoes = 64;

    explicit XMLAfinacaoParser(ObterTexto obterTexto);
    XMLAfinacaoParser(const XMLAfinacaoParser&) = delete;
    XMLAfinacaoParser& operator=(const XMLAfinacaoParser&) = delete;

    // The process-wide reader, looking keys up in the language manager's
    // current language; created on first use, never destroyed.
    static XMLAfinacaoParser& instancia();

    // Reads the file `nomeArquivo` (a bare name is taken from the working
    // directory) and returns its records in file order, keys expanded.
    // Raises EFOpenError (empty message) when no such file exists and
    // EConvertError when a string count or a MIDI number that counts is not
    // an integer. A file that cannot be read, or is not XML, yields the
    // records of whatever entries come before the fault (often none).
    std::vector<Afinacao> lerArquivo(const std::filesystem::path& nomeArquivo) const;

    // Replaces every record's instrument, then tuning-type text by its key
    // expansion.
    void traduzirTextos(std::vector<Afinacao>& lista) const;

    // `texto` with every "#" and the (up to) three characters after it
    // replaced by the text of that key in section xmlAfinacao; keys brought
    // in by an inserted text are expanded too, up to maximoExpansoes.
    std::string expandirChaves(std::string texto) const;

    const std::array<std::string, 12>& obterNomesNotas() const { return nomesNotas_; }
    // Frequencies in Hz of notes 0..126.
    const std::array<double, 127>& obterTabelaFrequencias() const { return tabelaFrequencias_; }

private:
    ObterTexto obterTexto_;
    std::array<std::string, 12> nomesNotas_;
    std::array<double, 127> tabelaFrequencias_;
};
