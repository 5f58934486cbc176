// Zelmora Quindral: the program's entry point.

#include <memory>

#include "app/inicializacao.h"
#include "app/servicos_padrao.h"
#include "audio/audio_message_box.h"
#include "dialogs/form_afinacoes.h"
#include "dialogs/form_assistente.h"
#include "i18n/gerenciador_idiomas.h"
#include "platform/ui/application.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tuner/form_principal.h"

namespace {

// The three application windows, created in this order and living until
// the message loop has ended.
struct JanelasPrograma {
    explicit JanelasPrograma(GerenciadorIdiomas& idiomas)
        : principal(idiomas),
          assistente(idiomas, [this](int codigo) { principal.mostrarErroAudio(codigo); }),
          afinacoes(idiomas, GerenciadorAfinacoes::instancia(), [this] { principal.carregarAfinacaoAtual(); }) {
        principal.definirJanelas(&assistente, &afinacoes);
    }
    TformPrincipal principal;
    TformAssistente assistente;
    TformAfinacoes afinacoes;
};

}  // namespace

int main(int argc, char** argv) {
    // Qt needs its application object before any window, the language
    // chooser included, so it is set up first.
    platform::ui::initialize(argc, argv);
    // The recorder's own messages (its automatic start) show as the
    // program's message boxes.
    SetAudioMessageBox(&platform::ui::showMessage);
    return executarInicializacao(servicosPadrao(
        [] { return std::make_shared<JanelasPrograma>(GerenciadorIdiomas::instancia()); }));
}
