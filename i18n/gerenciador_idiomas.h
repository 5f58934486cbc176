#pragma once
// The language manager: finds the language files beside the executable,
// makes one of them current and answers text and picture lookups from it.
//
// Discovery (at construction) lists "*.idm" in the directory, in the order
// the listing gives, and accepts a file when its section EspecificacaoIdioma
// (INI matching: any letter case, blanks and enclosing quotes dropped) has a
// non-empty nomeIdioma and codAplicacao exactly "Quindral 2.0". Without any
// accepted file it shows "No language files were found..." and requests
// termination.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "i18n/idioma.h"
#include "platform/core/picture.h"

class GerenciadorIdiomas {
public:
    // What the manager needs of the window layer; tests pass their own.
    struct Ganchos {
        // Plain message box (text, title).
        std::function<void(const std::string& texto, const std::string& titulo)> mostrarMensagem;
        // Posts the application's quit request / tells whether one is pending.
        std::function<void()> solicitarTermino;
        std::function<bool()> terminoSolicitado;
        // The language chooser: shows `nomes` with `indice` selected (-1 for
        // none) and gives the chosen index, or -1.
        std::function<int(const std::vector<std::string>& nomes, int indice)> escolher;
    };

    // `diretorio` ends in the path separator. Runs discovery now.
    GerenciadorIdiomas(std::string diretorio, Ganchos ganchos);
    GerenciadorIdiomas(const GerenciadorIdiomas&) = delete;
    GerenciadorIdiomas& operator=(const GerenciadorIdiomas&) = delete;

    // The process-wide manager on the executable's directory, with the
    // window layer's message box, quit request and language chooser;
    // created (and so discovering) on first use, never destroyed.
    static GerenciadorIdiomas& instancia();

    // Makes current the language whose display name is `nomeIdioma` (any
    // letter case; the first match wins). Not found: the not-found message,
    // then the chooser; when nothing is chosen, the could-not-initialize
    // message (unless termination is already pending) and a quit request.
    // Gives the current language, or null when none could be made current.
    Idioma* selecionar(const std::string& nomeIdioma);

    // Shows the chooser; true when a language was chosen and is now current.
    bool escolherNoDialogo();

    // Makes language `indice` current and gives it; null (nothing changes)
    // when the index is out of range. The current index gives the current
    // language without reading again. A language file that cannot be read
    // raises EFOpenError and leaves the current language as it was.
    Idioma* carregar(int indice);

    // Lookups in the current language: "" and null without one.
    std::string obterTexto(const std::string& secao, const std::string& chave) const;
    std::unique_ptr<platform::Picture> obterImagem(const std::string& secao, const std::string& chave) const;

    Idioma* obterIdiomaAtual() const;
    bool temIdioma() const;

    // Discovery's result: display names and file stems, same order.
    const std::vector<std::string>& obterNomesIdiomas() const { return nomesIdiomas_; }
    const std::vector<std::string>& obterArquivosIdiomas() const { return arquivosIdiomas_; }
    int obterIndiceAtual() const { return indiceAtual_; }

private:
    void descobrir();

    std::string diretorio_;
    Ganchos ganchos_;
    std::unique_ptr<Idioma> idiomaAtual_;
    std::vector<std::string> nomesIdiomas_;
    std::vector<std::string> arquivosIdiomas_;
    int indiceAtual_ = -1;
};
