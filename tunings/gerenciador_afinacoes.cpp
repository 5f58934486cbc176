#include "tunings/gerenciador_afinacoes.h"

#include <utility>

#include "platform/core/exceptions.h"
#include "tunings/xml_afinacao_parser.h"

GerenciadorAfinacoes::GerenciadorAfinacoes(const XMLAfinacaoParser& leitor, std::filesystem::path arquivo)
    : leitor_(leitor), arquivo_(std::move(arquivo)) {}

void GerenciadorAfinacoes::carregar() {
    std::vector<Afinacao> lidas = leitor_.lerArquivo(arquivo_);  // its failures leave us unchanged
    afinacoes_ = std::move(lidas);
    indiceAfinacaoAtual_ = 0;
    if (afinacoes_.empty()) throw Exception();
}

const Afinacao& GerenciadorAfinacoes::obterAfinacao(std::int32_t indice) const {
    // Only used after a successful load; an empty catalogue must not crash.
    if (afinacoes_.empty()) throw EListError("List index out of bounds (0)");
    return afinacoes_[dentro(indice) ? indice : 0];
}

void GerenciadorAfinacoes::selecionarAfinacao(std::int32_t indice) {
    indiceAfinacaoAtual_ = dentro(indice) ? indice : 0;
}
