#include "tunings/afinacao.h"

#include <utility>

#include "tunings/nota.h"

Afinacao::Afinacao(std::string instrumento, std::string tipoAfinacao, std::int32_t numeroCordas,
                   std::vector<std::string> nomesCordas, std::vector<std::int32_t> notasMIDI,
                   std::vector<double> frequencias)
    : instrumento_(std::move(instrumento)),
      tipoAfinacao_(std::move(tipoAfinacao)),
      numeroCordas_(numeroCordas),
      nomesCordas_(std::move(nomesCordas)),
      notasMIDI_(std::move(notasMIDI)),
      frequencias_(std::move(frequencias)) {
    bordaInferior_.reserve(frequencias_.size());
    bordaSuperior_.reserve(frequencias_.size());
    for (const double f : frequencias_) {
        // Half-width from an extended-precision 2/9, rounded to double; each
        // edge then rounded to double on its own, so a bin that lands on an
        // edge is counted inside.
        const double c = static_cast<double>(static_cast<long double>(f) * (2.0L / 9.0L));
        bordaInferior_.push_back(static_cast<double>(static_cast<long double>(f) - c));
        bordaSuperior_.push_back(static_cast<double>(static_cast<long double>(f) + c));
    }
}

std::string Afinacao::obterDescricao() const {
    std::string d = instrumento_;
    if (!tipoAfinacao_.empty()) {
        d += " (";
        d += tipoAfinacao_;
        d += ")";
    }
    for (std::int32_t i = 0; i < numeroCordas_; ++i) {
        d += i == 0 ? " - " : ", ";
        d += nomesCordas_[i];
    }
    return d;
}

Afinacao Afinacao::criar(std::string instrumento, std::string tipoAfinacao,
                         std::vector<std::int32_t> notasMIDI) {
    std::vector<std::string> nomes;
    std::vector<double> frequencias;
    nomes.reserve(notasMIDI.size());
    frequencias.reserve(notasMIDI.size());
    for (const std::int32_t n : notasMIDI) {
        nomes.emplace_back(nota::nome(n));
        frequencias.push_back(nota::frequencia(n));
    }
    const auto cordas = static_cast<std::int32_t>(notasMIDI.size());
    return Afinacao(std::move(instrumento), std::move(tipoAfinacao), cordas, std::move(nomes),
                    std::move(notasMIDI), std::move(frequencias));
}
