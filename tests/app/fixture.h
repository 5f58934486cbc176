#pragma once
// A private folder standing for the executable's directory, with language
// files written into it.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace teste_app {

class PastaTemporaria {
public:
    PastaTemporaria() {
        char modelo[] = "/tmp/quindral-app-XXXXXX";
        caminho = mkdtemp(modelo);
        diretorio = caminho.string() + "/";
    }
    ~PastaTemporaria() { std::filesystem::remove_all(caminho); }
    PastaTemporaria(const PastaTemporaria&) = delete;
    PastaTemporaria& operator=(const PastaTemporaria&) = delete;

    void escrever(const std::string& nome, const std::string& conteudo) const {
        std::ofstream(caminho / nome, std::ios::binary) << conteudo;
    }

    std::filesystem::path caminho;
    std::string diretorio;  // ends in '/'
};

// A usable language file with the texts the start-up reads.
inline std::string idiomaPortugues(const std::string& nome = "Portugues") {
    return "[EspecificacaoIdioma]\r\nnomeIdioma=" + nome +
           "\r\ncodAplicacao=Quindral 2.0\r\n"
           "[geral]\r\nnomeAplicacao=Zelmora Quindral 2.0\r\n"
           "tituloAplicacao=Quindral\r\n"
           "erroGeral=Ocorreu um erro.#Contate-nos.\r\n"
           "erroPPP=Use 96 PPP.\r\n";
}

}  // namespace teste_app

