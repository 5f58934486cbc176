#pragma once
// One loaded language file (<stem>.idm) with its picture file (<stem>.dat).
//
// The language file is 8-bit text (Windows-1252). Lines end with CR LF, CR
// or LF; a NUL byte ends the text. Each line is trimmed of characters 0..32
// to decide its kind; empty lines are ignored.
// - "[name]": a section header. The name is the trimmed line less its first
//   and last character. Headers are numbered from 1, repeated names too.
// - anything else: a key line. The key is the line as read up to its first
//   "=" (an indented line's key starts with blanks, a blank before "=" is
//   part of the key, no "=" gives the key ""); the value is what follows
//   that "=", up to the end of the trimmed line, so trailing blanks are
//   dropped while leading ones stay. Every "#" in a value becomes CR LF.
// Lookups are case-sensitive; a section name resolves to its first header
// only, and the first matching key under it wins. Keys above the first
// header are never found.
//
// A picture value is "offset,length" (decimal bytes into the picture file;
// length 0 = the whole file from its first byte) naming one JPEG image.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/picture.h"

class Idioma {
public:
    // Shows a message box (text, title); the manager passes the window
    // layer's. Without one the corrupted-file message is only recorded.
    using Aviso = std::function<void(const std::string& texto, const std::string& titulo)>;

    // `diretorio` ends in the path separator. Reads and converts the whole
    // language file now; raises EFOpenError when it cannot be read. The
    // picture file is not opened until a picture is asked for.
    Idioma(const std::string& diretorio, const std::string& arquivoIdioma,
           const std::string& arquivoDados, Aviso aviso = {});

    // The text under `chave` in section `secao`; "" when there is none.
    std::string obterTexto(const std::string& secao, const std::string& chave) const;

    // A new picture decoded from the reference under `chave` in `secao`.
    // Null without a message when the key is missing or empty; null after
    // avisarArquivoCorrompido() when the reference cannot be read or decoded.
    // The picture file is opened anew for every request.
    std::unique_ptr<platform::Picture> obterImagem(const std::string& secao, const std::string& chave) const;

    // obterTexto("EspecificacaoIdioma", "nomeIdioma").
    std::string obterNomeIdioma() const;

    // Shows the corrupted-file message, titled "Internationalization", the
    // first time only for this language.
    void avisarArquivoCorrompido() const;

    bool corrupcaoAvisada() const { return corrupcaoAvisada_; }
    const std::string& caminhoDados() const { return caminhoDados_; }

private:
    std::vector<std::pair<std::string, std::string>> entradas_;  // name, value
    std::string caminhoDados_;
    Aviso aviso_;
    mutable bool corrupcaoAvisada_ = false;
};
