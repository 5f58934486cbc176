#include "app/abrir_no_navegador.h"

#include <vector>

#include "platform/shell/shell.h"

void abrirNoNavegador(const std::string& texto) { abrirNoNavegador(texto, kProgramaNavegador); }

void abrirNoNavegador(const std::string& texto, const std::string& programa) {
    // The text stays one parameter, blanks and all: it is a path or an address.
    std::vector<std::string> parametros;
    if (!texto.empty()) parametros.push_back(texto);
    if (!platform::shell::startProgram(programa, parametros))
        throw EAbrirNavegador("'" + programa + "' could not be started");
}
