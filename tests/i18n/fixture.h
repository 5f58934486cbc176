#pragma once
// A private folder standing for the executable's directory, with language
// files written into it, and window-layer hooks that record what they did.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "i18n/gerenciador_idiomas.h"
#include "platform/jpeg/jpeg.h"

namespace teste_idiomas {

class PastaTemporaria {
public:
    PastaTemporaria() {
        char tmpl[] = "/tmp/quindral-i18n-XXXXXX";
        caminho = mkdtemp(tmpl);
        diretorio = caminho.string() + "/";
    }
    ~PastaTemporaria() { std::filesystem::remove_all(caminho); }

    void escrever(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(caminho / nome, std::ios::binary) << conteudo;
    }

    std::filesystem::path caminho;
    std::string diretorio;  // ends in '/'
};

// A language file body with the description section first.
inline std::string idm(const std::string& nome, const std::string& resto = "",
                       const std::string& codigo = "Quindral 2.0") {
    return "[EspecificacaoIdioma]\r\nnomeIdioma=" + nome + "\r\ncodAplicacao=" + codigo + "\r\n" + resto;
}

inline std::vector<std::uint8_t> jpegDe(int w, int h) {
    platform::Picture p{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3, 128)};
    return platform::jpeg::encode(p);
}

struct Mensagem {
    std::string texto, titulo;
    bool comTerminoPendente;  // a real message box returns at once then
};

// Hooks behaving like the window layer: the chooser answers from a script,
// and closes with -1 at once while termination is pending.
struct Janela {
    std::vector<Mensagem> mensagens;
    bool termino = false;
    int escolhas = 0;
    std::vector<std::string> nomesMostrados;
    int indiceMostrado = -2;
    int resposta = -1;

    GerenciadorIdiomas::Ganchos ganchos() {
        GerenciadorIdiomas::Ganchos g;
        g.mostrarMensagem = [this](const std::string& t, const std::string& ti) {
            mensagens.push_back({t, ti, termino});
        };
        g.solicitarTermino = [this] { termino = true; };
        g.terminoSolicitado = [this] { return termino; };
        g.escolher = [this](const std::vector<std::string>& nomes, int indice) {
            ++escolhas;
            nomesMostrados = nomes;
            indiceMostrado = indice;
            return termino ? -1 : resposta;
        };
        return g;
    }

    // Messages a user would have had to read (not closed at once).
    std::vector<std::string> vistas() const {
        std::vector<std::string> r;
        for (const auto& m : mensagens)
            if (!m.comTerminoPendente) r.push_back(m.texto);
        return r;
    }
};

}  // namespace teste_idiomas
