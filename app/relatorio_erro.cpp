#include "app/relatorio_erro.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "i18n/gerenciador_idiomas.h"
#include "i18n/suporte.h"
#include "platform/core/exceptions.h"

namespace {

constexpr const char* kQuebra = "\r\n";
constexpr const char* kTituloPadrao = "Zelmora Quindral";

std::string cabecalhoSemDetalhes() {
    return std::string("An error has occurred in your application.") + kQuebra +
           "If the problem persist, please contact us: " + kEmailSuporte + ".";
}

std::string cabecalhoComDetalhes() {
    return cabecalhoSemDetalhes() + kQuebra + kQuebra + "Error information:";
}

std::string nomeDemangled(const std::type_info& tipo) {
    int estado = 0;
    std::unique_ptr<char, void (*)(void*)> nome(abi::__cxa_demangle(tipo.name(), nullptr, nullptr, &estado),
                                                std::free);
    return estado == 0 && nome ? std::string(nome.get()) : std::string(tipo.name());
}

}  // namespace

std::optional<DetalhesFalha> descreverFalha(std::exception_ptr falha) {
    if (!falha) return std::nullopt;
    try {
        std::rethrow_exception(falha);
    } catch (const Exception& e) {
        return DetalhesFalha{e.className(), e.message()};
    } catch (const std::exception& e) {
        return DetalhesFalha{nomeDemangled(typeid(e)), e.what()};
    } catch (...) {
        return std::nullopt;
    }
}

RelatorioErro montarRelatorio(const DetalhesFalha& detalhes, const std::string& versao,
                              const GerenciadorIdiomas* idiomas) {
    RelatorioErro r;
    if (idiomas && idiomas->temIdioma()) {
        r.texto = idiomas->obterTexto("geral", "erroGeral");
        r.titulo = idiomas->obterTexto("geral", "nomeAplicacao");
    } else {
        r.texto = cabecalhoComDetalhes();
        r.titulo = kTituloPadrao;
    }
    r.texto += std::string(kQuebra) + "\" " + detalhes.nomeClasse + " (" + detalhes.mensagem + ")";
    if (!versao.empty()) r.texto += ", v" + versao;
    r.texto += " \"";
    return r;
}

RelatorioErro montarRelatorioSemDetalhes(const std::string& versao) {
    RelatorioErro r{cabecalhoSemDetalhes(), kTituloPadrao};
    if (!versao.empty())
        r.texto += std::string(kQuebra) + kQuebra + "Error information:" + kQuebra + "\" v" + versao + " \"";
    return r;
}
