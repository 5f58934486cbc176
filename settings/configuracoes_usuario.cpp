#include "settings/configuracoes_usuario.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

#include "platform/core/convert.h"
#include "platform/files/files.h"
#include "platform/ini/ini_file.h"

std::string ConfiguracoesUsuario::idioma_;

namespace {

constexpr const char* kSecao = "geral";

std::string nomeDoArquivo() {
    std::filesystem::path nome = platform::files::executablePath().filename();
    nome.replace_extension(".ini");
    return nome.string();
}

// Writes all of `dados` to a new file and moves it over `destino`; the old
// file stays untouched unless every step succeeded.
bool gravarSubstituindo(const std::filesystem::path& destino, const std::string& dados) {
    const std::filesystem::path temporario = destino.string() + ".new-" + std::to_string(getpid());
    const int fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t feito = 0; ok && feito < dados.size();) {
        const ssize_t n = ::write(fd, dados.data() + feito, dados.size() - feito);
        if (n > 0) feito += static_cast<std::size_t>(n);
        else ok = false;
    }
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporario.c_str(), destino.c_str()) == 0;
    if (!ok) ::unlink(temporario.c_str());
    return ok;
}

}  // namespace

std::filesystem::path ConfiguracoesUsuario::caminhoArquivo() {
    return platform::files::executableDirectory() + nomeDoArquivo();
}

ConfiguracoesUsuario::ConfiguracoesUsuario() : nomeArquivo_(nomeDoArquivo()) {
    const platform::ini::IniFile ini(platform::files::executableDirectory() + nomeArquivo_);
    const auto afinacao = platform::tryStrToInt(ini.readString(kSecao, "afinacaoSelecionada", "0"));
    const auto tipo = platform::tryStrToInt(ini.readString(kSecao, "tipoSistema", "0"));
    if (afinacao && tipo) {
        afinacaoSelecionada_ = *afinacao;
        tipoSistema_ = *tipo;
    }
}

std::string ConfiguracoesUsuario::lerIdioma() {
    idioma_ = platform::ini::IniFile(caminhoArquivo()).readString(kSecao, "idioma", "");
    return idioma_;
}

const std::string& ConfiguracoesUsuario::obterIdioma() { return idioma_; }

void ConfiguracoesUsuario::gravar(std::int32_t afinacaoSelecionada, std::int32_t tipoSistema,
                                  const std::string& idioma) {
    afinacaoSelecionada_ = afinacaoSelecionada;
    tipoSistema_ = tipoSistema;
    idioma_ = idioma;
    const std::string linhas = "[geral]\r\n"
                               "idioma=" + idioma + "\r\n"
                               "afinacaoSelecionada=" + std::to_string(afinacaoSelecionada) + "\r\n"
                               "tipoSistema=" + std::to_string(tipoSistema) + "\r\n";
    gravarSubstituindo(platform::files::executableDirectory() + nomeArquivo_, linhas);
}
