// Zelmora Quindral: the program's entry point.

#include <memory>

#include "app/inicializacao.h"
#include "app/servicos_padrao.h"
#include "dialogs/form_afinacoes.h"
#include "dialogs/form_assistente.h"
#include "i18n/gerenciador_idiomas.h"
#include "tunings/gerenciador_afinacoes.h"
#include "platform/ui/application.h"
#include "tuner/form_principal.h"

namespace {

// The three application windows, created in this order and living until
// the message loop has ended.
struct JanelasPrograma {
    explicit JanelasPrograma(GerenciadorIdiomas& idiomas)
        : principal(idiomas),
          assistente(idiomas, [](int) {}),
          afinacoes(idiomas, GerenciadorAfinacoes::instancia(), [] {}) {}
    TformPrincipal principal;
    TformAssistente assistente;
    TformAfinacoes afinacoes;
};

}  // namespace

int main(int argc, char** argv) {
    // Qt needs its application object before any window, the language
    // chooser included, so it is set up first.
    platform::ui::initialize(argc, argv);
    return executarInicializacao(servicosPadrao(
        [] { return std::make_shared<JanelasPrograma>(GerenciadorIdiomas::instancia()); }));
}
