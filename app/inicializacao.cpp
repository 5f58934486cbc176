#include "app/inicializacao.h"

#include "app/relatorio_erro.h"
#include "i18n/gerenciador_idiomas.h"

namespace {

void executarPassos(const ServicosInicializacao& s, GerenciadorIdiomas*& idiomas) {
    const std::string nome = s.lerIdioma();
    idiomas = &s.idiomas();
    idiomas->selecionar(nome);
    if (!idiomas->temIdioma()) return;

    if (s.pixelsPorPolegada() > kMaximoPixelsPorPolegada) {
        s.mostrarMensagem(idiomas->obterTexto("geral", "erroPPP"), idiomas->obterTexto("geral", "nomeAplicacao"));
        return;
    }

    std::shared_ptr<void> splash = s.mostrarSplash();
    s.esperar(kTempoSplash);
    s.definirTitulo("");
    // The windows must outlive the loop; the splash must not.
    std::shared_ptr<void> janelas = s.criarJanelas();
    splash.reset();
    s.executarLaco();
}

// Never lets a second failure out of the report itself.
void relatar(const ServicosInicializacao& s, std::exception_ptr falha, const GerenciadorIdiomas* idiomas) {
    try {
        std::string versao;
        try {
            versao = s.obterVersao ? s.obterVersao() : std::string();
        } catch (...) {
        }
        const std::optional<DetalhesFalha> detalhes = descreverFalha(falha);
        const RelatorioErro r =
            detalhes ? montarRelatorio(*detalhes, versao, idiomas) : montarRelatorioSemDetalhes(versao);
        s.mostrarMensagem(r.texto, r.titulo);
    } catch (...) {
    }
}

}  // namespace

int executarInicializacao(const ServicosInicializacao& servicos) {
    GerenciadorIdiomas* idiomas = nullptr;
    try {
        executarPassos(servicos, idiomas);
    } catch (...) {
        relatar(servicos, std::current_exception(), idiomas);
    }
    return 0;
}
