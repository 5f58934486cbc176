#pragma once
// The language manager's fixed English messages: shown when no language
// can be loaded yet, so they cannot come from a language file.

#include <string>

namespace mensagens_idioma {

inline constexpr const char* kTitulo = "Internationalization";
inline constexpr const char* kNenhumArquivo = "No language files were found. Please, reinstall your software.";
inline constexpr const char* kNaoEncontrado =
    "The language you have selected was not found. Please, select another one.";
inline constexpr const char* kNaoInicializada =
    "The application could not be initialized because no language was selected.";

// "The file ... is corrupted..." CR LF "If the problem persist, please
// contact us: <support address>."
std::string arquivoCorrompido();

}  // namespace mensagens_idioma
