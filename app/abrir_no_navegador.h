#pragma once
// Opens a document path or a web address in the user's browser: starts
// "xdg-open" (looked up on PATH) with the text as its one parameter, or
// with no parameter when the text is empty. Only whether the browser
// program started is known; one that starts but cannot show the document
// reports nothing here.

#include <string>

#include "platform/core/exceptions.h"

// The browser program could not be started; the message names it.
QUINDRAL_EXCEPTION_CLASS(EAbrirNavegador, Exception)

inline constexpr const char* kProgramaNavegador = "xdg-open";

// Raises EAbrirNavegador when the browser cannot be started.
void abrirNoNavegador(const std::string& texto);

// The same with another program in place of the browser.
void abrirNoNavegador(const std::string& texto, const std::string& programa);
