#pragma once
// The settings file beside the executable: the executable's name with its
// extension replaced by "ini", or ".ini" appended when it has none
// (quindral -> quindral.ini, tuner.exe -> tuner.ini). Read with the INI
// reader's rules (any letter case, blanks around values dropped); written
// as exactly these four lines, each ended by CR LF:
//     [geral]
//     idioma=<display name of the language>
//     afinacaoSelecionada=<tuning index, decimal>
//     tipoSistema=<frequency-correction mode, decimal>
// Nothing is ever reported: a missing file gives the defaults ("", 0, 0)
// and a file that cannot be written keeps what it held before.

#include <cstdint>
#include <filesystem>
#include <string>

class ConfiguracoesUsuario {
public:
    // Computes the file name and reads afinacaoSelecionada and tipoSistema
    // (default "0"); when either does not convert as a 32-bit integer, both
    // are 0.
    ConfiguracoesUsuario();

    // Reads idioma (default "") into the process-wide language name and
    // gives it; "" when the file cannot be read.
    static std::string lerIdioma();

    // The process-wide language name: what lerIdioma read or gravar stored.
    static const std::string& obterIdioma();

    // Full path of the settings file for the running executable.
    static std::filesystem::path caminhoArquivo();

    const std::string& obterNomeArquivo() const { return nomeArquivo_; }
    std::int32_t obterAfinacaoSelecionada() const { return afinacaoSelecionada_; }
    std::int32_t obterTipoSistema() const { return tipoSistema_; }

    // Stores the three values and rewrites the file with the four lines
    // above, replacing whatever it held. The new contents are written to a
    // temporary file in the same folder and then put in place, so a failed
    // write leaves the previous file whole; failures are ignored and the
    // values are kept in memory.
    void gravar(std::int32_t afinacaoSelecionada, std::int32_t tipoSistema, const std::string& idioma);

private:
    std::string nomeArquivo_;
    std::int32_t afinacaoSelecionada_ = 0;
    std::int32_t tipoSistema_ = 0;
    static std::string idioma_;
};
