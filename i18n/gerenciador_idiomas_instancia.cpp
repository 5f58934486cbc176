#include <memory>

#include "i18n/gerenciador_idiomas.h"
#include "i18n/lista_idiomas.h"
#include "platform/files/files.h"
#include "platform/ui/application.h"

GerenciadorIdiomas& GerenciadorIdiomas::instancia() {
    // Lives for the whole process; so does the chooser, made the first time
    // it is needed (start-up creates the manager before any window exists).
    static GerenciadorIdiomas* gerenciador = [] {
        Ganchos ganchos;
        ganchos.mostrarMensagem = [](const std::string& texto, const std::string& titulo) {
            platform::ui::showMessage(texto, titulo);
        };
        ganchos.solicitarTermino = [] { platform::ui::requestTerminate(); };
        ganchos.terminoSolicitado = [] { return platform::ui::terminateRequested(); };
        ganchos.escolher = [](const std::vector<std::string>& nomes, int indice) {
            static TformListaIdiomas* dialogoIdiomas = new TformListaIdiomas(&platform::ui::terminateRequested);
            return dialogoIdiomas->escolher(nomes, indice);
        };
        return new GerenciadorIdiomas(platform::files::executableDirectory(), std::move(ganchos));
    }();
    return *gerenciador;
}
