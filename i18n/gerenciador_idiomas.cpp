#include "i18n/gerenciador_idiomas.h"

#include "i18n/mensagens.h"
#include "platform/files/files.h"
#include "platform/ini/ini_file.h"

GerenciadorIdiomas::GerenciadorIdiomas(std::string diretorio, Ganchos ganchos)
    : diretorio_(std::move(diretorio)), ganchos_(std::move(ganchos)) {
    descobrir();
}

void GerenciadorIdiomas::descobrir() {
    for (const std::string& arquivo : platform::files::listFiles(diretorio_, "*.idm")) {
        const platform::ini::IniFile ini(diretorio_ + arquivo);
        const std::string nome = ini.readString("EspecificacaoIdioma", "nomeIdioma", "");
        const std::string codigo = ini.readString("EspecificacaoIdioma", "codAplicacao", "");
        if (nome.empty() || codigo != "Quindral 2.0") continue;
        nomesIdiomas_.push_back(nome);
        arquivosIdiomas_.push_back(arquivo.substr(0, arquivo.size() - 4));
    }
    if (nomesIdiomas_.empty()) {
        if (ganchos_.mostrarMensagem) ganchos_.mostrarMensagem(mensagens_idioma::kNenhumArquivo, mensagens_idioma::kTitulo);
        if (ganchos_.solicitarTermino) ganchos_.solicitarTermino();
    }
}

Idioma* GerenciadorIdiomas::selecionar(const std::string& nomeIdioma) {
    for (std::size_t i = 0; i < nomesIdiomas_.size(); ++i)
        if (platform::ini::sameText(nomesIdiomas_[i], nomeIdioma)) return carregar(static_cast<int>(i));

    if (ganchos_.mostrarMensagem) ganchos_.mostrarMensagem(mensagens_idioma::kNaoEncontrado, mensagens_idioma::kTitulo);
    if (escolherNoDialogo()) return obterIdiomaAtual();

    const bool pendente = ganchos_.terminoSolicitado && ganchos_.terminoSolicitado();
    if (!pendente && ganchos_.mostrarMensagem)
        ganchos_.mostrarMensagem(mensagens_idioma::kNaoInicializada, mensagens_idioma::kTitulo);
    if (ganchos_.solicitarTermino) ganchos_.solicitarTermino();
    return nullptr;
}

bool GerenciadorIdiomas::escolherNoDialogo() {
    const int i = ganchos_.escolher ? ganchos_.escolher(nomesIdiomas_, indiceAtual_) : -1;
    if (i < 0) return false;
    // A chooser answering past the list chose nothing usable.
    return carregar(i) != nullptr;
}

Idioma* GerenciadorIdiomas::carregar(int indice) {
    if (indice < 0 || indice >= static_cast<int>(arquivosIdiomas_.size())) return nullptr;
    if (indice == indiceAtual_) return idiomaAtual_.get();
    const std::string& stem = arquivosIdiomas_[static_cast<std::size_t>(indice)];
    auto novo = std::make_unique<Idioma>(diretorio_, stem + ".idm", stem + ".dat", ganchos_.mostrarMensagem);
    idiomaAtual_ = std::move(novo);
    indiceAtual_ = indice;
    return idiomaAtual_.get();
}

std::string GerenciadorIdiomas::obterTexto(const std::string& secao, const std::string& chave) const {
    return idiomaAtual_ ? idiomaAtual_->obterTexto(secao, chave) : std::string();
}

std::unique_ptr<platform::Picture> GerenciadorIdiomas::obterImagem(const std::string& secao,
                                                                   const std::string& chave) const {
    return idiomaAtual_ ? idiomaAtual_->obterImagem(secao, chave) : nullptr;
}

Idioma* GerenciadorIdiomas::obterIdiomaAtual() const { return idiomaAtual_.get(); }

bool GerenciadorIdiomas::temIdioma() const { return idiomaAtual_ != nullptr; }
