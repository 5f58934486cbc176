#include "tunings/xml_afinacao_parser.h"

#include <optional>
#include <utility>

#include "platform/core/convert.h"
#include "platform/core/exceptions.h"
#include "platform/files/files.h"
#include "platform/xml/xml_scanner.h"
#include "tunings/nota.h"

namespace {

// What has been read of the entry in hand.
struct Entrada {
    std::string instrumento;
    std::string tipoAfinacao;
    std::optional<std::int32_t> numeroCordas;
    std::vector<std::int32_t> notas;
    std::int32_t contador = 0;  // number texts met, stored or not
    bool invalida = false;
};

}  // namespace

XMLAfinacaoParser::XMLAfinacaoParser(ObterTexto obterTexto) : obterTexto_(std::move(obterTexto)) {
    for (std::int32_t n = 0; n < 12; ++n) nomesNotas_[n] = nota::nome(n);
    for (std::int32_t n = 0; n <= nota::notaMaxima; ++n) tabelaFrequencias_[n] = nota::frequencia(n);
}

std::vector<Afinacao> XMLAfinacaoParser::lerArquivo(const std::filesystem::path& nomeArquivo) const {
    if (!platform::files::fileExists(nomeArquivo)) throw EFOpenError();

    std::vector<Afinacao> lista;
    {
        platform::xml::XmlScanner scanner;
        scanner.loadFromFile(nomeArquivo);  // unreadable: simply no parts
        scanner.startScan();

        Entrada e;
        bool dentroEntrada = false;
        bool dentroNumeros = false;

        const auto concluir = [&] {
            const std::int32_t cordas = e.numeroCordas.value_or(0);
            bool valida = !e.invalida && cordas > 0 && e.contador == cordas;
            for (const std::int32_t m : e.notas) valida = valida && m >= 0 && m <= nota::notaMaxima;
            if (valida) {
                std::vector<std::string> nomes;
                std::vector<double> frequencias;
                nomes.reserve(e.notas.size());
                frequencias.reserve(e.notas.size());
                for (const std::int32_t m : e.notas) {
                    nomes.push_back(nomesNotas_[m % 12]);
                    frequencias.push_back(tabelaFrequencias_[m]);
                }
                lista.emplace_back(std::move(e.instrumento), std::move(e.tipoAfinacao), cordas, std::move(nomes),
                                   std::move(e.notas), std::move(frequencias));
            }
            e = Entrada{};
            dentroEntrada = false;
        };

        using namespace platform::xml;
        while (scanner.scan()) {
            const std::string& nome = scanner.curName();
            switch (scanner.curPartType()) {
            case ptStartTag:
                if (nome == "Afinacao") {
                    // Whatever stray numbers stood before the entry are not its own.
                    e = Entrada{};
                    dentroEntrada = true;
                } else if (nome == "frequenciasMIDI") {
                    dentroNumeros = true;
                }
                break;
            case ptEndTag:
                if (nome == "frequenciasMIDI") dentroNumeros = false;
                else if (nome == "Afinacao") concluir();
                break;
            case ptContent:
                if (dentroNumeros) {
                    if (!e.numeroCordas) {
                        e.invalida = true;  // no count yet: these numbers cannot be placed
                    } else if (e.contador < *e.numeroCordas) {
                        e.notas.push_back(platform::strToInt(scanner.curContent()));
                    }
                    ++e.contador;
                } else if (dentroEntrada) {
                    if (nome == "instrumento") {
                        e.instrumento = scanner.curContent();
                    } else if (nome == "tipoAfinacao") {
                        e.tipoAfinacao = scanner.curContent();
                    } else if (nome == "numeroCordas") {
                        e.numeroCordas = platform::strToInt(scanner.curContent());
                        // Numbers already read belong to another count.
                        if (e.contador > 0) e.invalida = true;
                    }
                }
                break;
            default:
                break;
            }
        }
        // An entry still open at the end of the document is dropped.
    }
    traduzirTextos(lista);
    return lista;
}

void XMLAfinacaoParser::traduzirTextos(std::vector<Afinacao>& lista) const {
    for (Afinacao& a : lista) {
        a.definirInstrumento(expandirChaves(a.obterInstrumento()));
        a.definirTipoAfinacao(expandirChaves(a.obterTipoAfinacao()));
    }
}

std::string XMLAfinacaoParser::expandirChaves(std::string texto) const {
    static const std::string secao = "xmlAfinacao";
    int expansoes = 0;
    for (std::size_t p = texto.find('#'); p != std::string::npos; p = texto.find('#')) {
        const std::string chave = texto.substr(p + 1, 3);
        texto.erase(p, 1 + chave.size());
        if (expansoes < maximoExpansoes && obterTexto_) {
            texto.insert(p, obterTexto_(secao, chave));
            ++expansoes;
        }
    }
    return texto;
}
