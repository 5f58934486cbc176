#pragma once
// The catalogue of every tuning of the tunings file, with the current one.
// Out-of-range indexes are never an error: they mean tuning 0, so an index
// saved for a file that has since lost tunings becomes the first tuning.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tunings/afinacao.h"

class XMLAfinacaoParser;

class GerenciadorAfinacoes {
public:
    // Reads `arquivo` (the program's tunings file by default, from the
    // working directory) through `leitor`, which must outlive the catalogue.
    explicit GerenciadorAfinacoes(const XMLAfinacaoParser& leitor,
                                  std::filesystem::path arquivo = "Afinacoes.xml");
    GerenciadorAfinacoes(const GerenciadorAfinacoes&) = delete;
    GerenciadorAfinacoes& operator=(const GerenciadorAfinacoes&) = delete;

    // The process-wide catalogue on XMLAfinacaoParser::instancia(), created
    // empty on first use, never destroyed.
    static GerenciadorAfinacoes& instancia();

    // Reads the tunings file and makes tuning 0 current. The reader's
    // EFOpenError / EConvertError pass through and leave the catalogue as it
    // was; a file without any valid tuning empties the catalogue and raises
    // Exception with an empty message.
    void carregar();

    std::int32_t obterQuantidade() const { return static_cast<std::int32_t>(afinacoes_.size()); }

    // The record at `indice`, or record 0 for an index below 0 or not below
    // the count. The catalogue keeps the records for its whole life. On an
    // empty catalogue raises EListError.
    const Afinacao& obterAfinacao(std::int32_t indice) const;
    const Afinacao& obterAfinacaoAtual() const { return obterAfinacao(indiceAfinacaoAtual_); }

    // Makes `indice` current, or 0 when it is out of range.
    void selecionarAfinacao(std::int32_t indice);
    // 0 until something else is selected; within 0..count-1 once loaded.
    std::int32_t obterIndiceAtual() const { return indiceAfinacaoAtual_; }

private:
    bool dentro(std::int32_t indice) const { return indice >= 0 && indice < obterQuantidade(); }

    const XMLAfinacaoParser& leitor_;
    std::filesystem::path arquivo_;
    std::vector<Afinacao> afinacoes_;
    std::int32_t indiceAfinacaoAtual_ = 0;
};
