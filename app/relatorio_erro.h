#pragma once
// The last-resort report of a failure that escaped the start-up sequence:
// one message box, in the current language when there is one, in English
// otherwise, ending with the failure's class name, its message and the
// program's version. Line breaks are CR LF, as in the language texts.

#include <exception>
#include <optional>
#include <string>

class GerenciadorIdiomas;

// The class name and message of a failure, when it has them: our own
// Exception hierarchy gives className() and message(); any other
// std::exception gives its concrete type's demangled name and what(). A
// failure of any other type has none (std::nullopt).
struct DetalhesFalha {
    std::string nomeClasse;
    std::string mensagem;
};
std::optional<DetalhesFalha> descreverFalha(std::exception_ptr falha);

struct RelatorioErro {
    std::string texto;
    std::string titulo;
};

// `idiomas` may be null (no manager yet); then, as when it has no current
// language, the built-in English heading and title are used. `versao` may be
// empty, which leaves the version out.
RelatorioErro montarRelatorio(const DetalhesFalha& detalhes, const std::string& versao,
                              const GerenciadorIdiomas* idiomas);

// For a failure without class name and message; the language is not used.
RelatorioErro montarRelatorioSemDetalhes(const std::string& versao);
