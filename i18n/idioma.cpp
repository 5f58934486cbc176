#include "i18n/idioma.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "i18n/mensagens.h"
#include "platform/core/convert.h"
#include "platform/core/exceptions.h"
#include "platform/files/files.h"
#include "platform/jpeg/jpeg.h"

namespace {

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string lerArquivo(const std::string& caminho) {
    std::ifstream in(caminho, std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + caminho + "\". " + std::strerror(errno));
    std::string texto;
    try {
        texto.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        in.setstate(std::ios::badbit);
    }
    if (in.bad()) throw EFOpenError("Cannot read file \"" + caminho + "\".");
    return texto;
}

std::string trocarSustenidos(const std::string& valor) {
    std::string r;
    r.reserve(valor.size());
    for (char c : valor) {
        if (c == '#') r += "\r\n";
        else r += c;
    }
    return r;
}

// Reads `length` bytes at `offset` of the picture file (the whole file for
// length 0); nothing when the file or the range cannot be read.
std::optional<std::string> lerTrecho(const std::string& caminho, std::int64_t offset, std::int64_t length) {
    if (!platform::files::fileExists(caminho)) return std::nullopt;
    std::ifstream in(caminho, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::int64_t tamanho = static_cast<std::int64_t>(in.tellg());
    if (tamanho < 0) return std::nullopt;
    if (length == 0) {
        offset = 0;
        length = tamanho;
    }
    if (offset > tamanho || length > tamanho - offset) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    in.seekg(offset);
    if (!in.read(bytes.data(), length)) return std::nullopt;
    return bytes;
}

}  // namespace

Idioma::Idioma(const std::string& diretorio, const std::string& arquivoIdioma,
               const std::string& arquivoDados, Aviso aviso)
    : caminhoDados_(diretorio + arquivoDados), aviso_(std::move(aviso)) {
    std::string texto = lerArquivo(diretorio + arquivoIdioma);
    if (const auto nul = texto.find('\0'); nul != std::string::npos) texto.resize(nul);

    int secao = 0;
    std::size_t pos = 0;
    while (pos < texto.size()) {
        std::size_t fim = texto.find_first_of("\r\n", pos);
        if (fim == std::string::npos) fim = texto.size();
        const std::string_view linha(texto.data() + pos, fim - pos);
        pos = fim;
        if (pos < texto.size() && texto[pos] == '\r') {
            ++pos;
            if (pos < texto.size() && texto[pos] == '\n') ++pos;
        } else if (pos < texto.size()) {
            ++pos;
        }

        std::size_t ini = 0, ult = linha.size();
        while (ini < ult && blank(linha[ini])) ++ini;
        while (ult > ini && blank(linha[ult - 1])) --ult;
        if (ini == ult) continue;

        if (linha[ini] == '[') {
            ++secao;
            const std::size_t n = ult - ini;
            std::string nome = n >= 2 ? std::string(linha.substr(ini + 1, n - 2)) : std::string();
            entradas_.emplace_back(std::move(nome), "CS" + std::to_string(secao));
            continue;
        }
        // Key as read (leading blanks included); the value stops where the
        // trimmed line stops, so trailing blanks never reach it.
        const std::size_t igual = linha.find('=');
        std::string chave, valor;
        if (igual == std::string_view::npos || igual >= ult) {
            chave = "";
            valor = std::string(linha.substr(0, ult));
        } else {
            chave = std::string(linha.substr(0, igual));
            valor = std::string(linha.substr(igual + 1, ult - igual - 1));
        }
        entradas_.emplace_back("CS" + std::to_string(secao) + chave, trocarSustenidos(valor));
    }
}

std::string Idioma::obterTexto(const std::string& secao, const std::string& chave) const {
    std::string ordinal;
    for (const auto& [nome, valor] : entradas_) {
        if (nome == secao) {
            ordinal = valor;
            break;
        }
    }
    const std::string procurado = ordinal + chave;
    for (const auto& [nome, valor] : entradas_)
        if (nome == procurado) return valor;
    return {};
}

std::unique_ptr<platform::Picture> Idioma::obterImagem(const std::string& secao, const std::string& chave) const {
    const std::string v = obterTexto(secao, chave);
    if (v.empty()) return nullptr;

    const auto virgula = v.find(',');
    if (virgula != std::string::npos) {
        const auto offset = platform::tryStrToInt(std::string_view(v).substr(0, virgula));
        const auto length = platform::tryStrToInt(std::string_view(v).substr(virgula + 1));
        if (offset && length && *offset >= 0 && *length >= 0) {
            if (const auto bytes = lerTrecho(caminhoDados_, *offset, *length)) {
                try {
                    return std::make_unique<platform::Picture>(platform::jpeg::decode(
                        reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
                } catch (const platform::jpeg::EJPEG&) {
                    // falls through to the message
                }
            }
        }
    }
    avisarArquivoCorrompido();
    return nullptr;
}

std::string Idioma::obterNomeIdioma() const { return obterTexto("EspecificacaoIdioma", "nomeIdioma"); }

void Idioma::avisarArquivoCorrompido() const {
    if (corrupcaoAvisada_) return;
    corrupcaoAvisada_ = true;
    if (aviso_) aviso_(mensagens_idioma::arquivoCorrompido(), mensagens_idioma::kTitulo);
}
