// The process-wide reader and catalogue. Kept apart from the classes so
// that code using them on their own (the tests) needs no language manager.

#include "i18n/gerenciador_idiomas.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tunings/xml_afinacao_parser.h"

XMLAfinacaoParser& XMLAfinacaoParser::instancia() {
    static XMLAfinacaoParser* const leitor = new XMLAfinacaoParser(
        [](const std::string& secao, const std::string& chave) {
            return GerenciadorIdiomas::instancia().obterTexto(secao, chave);
        });
    return *leitor;
}

GerenciadorAfinacoes& GerenciadorAfinacoes::instancia() {
    static GerenciadorAfinacoes* const catalogo = new GerenciadorAfinacoes(XMLAfinacaoParser::instancia());
    return *catalogo;
}
