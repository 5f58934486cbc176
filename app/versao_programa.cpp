#include "app/versao_programa.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/files/files.h"
#include "platform/version/version_info.h"

std::string obterVersaoPrograma() {
    try {
        return obterVersaoPrograma(platform::files::executablePath());
    } catch (...) {
        return {};
    }
}

std::string obterVersaoPrograma(const std::filesystem::path& executavel) {
    namespace v = platform::version;
    try {
        const unsigned tamanho = v::getFileVersionInfoSize(executavel);
        if (tamanho == 0) return {};
        // Zero-filled, so a read that fails leaves nothing a query could find.
        std::vector<std::uint8_t> bloco(tamanho);
        v::getFileVersionInfo(executavel, tamanho, bloco.data());

        const void* valor = nullptr;
        unsigned comprimento = 0;
        if (!v::verQueryValue(bloco.data(), "\\VarFileInfo\\Translation", &valor, &comprimento) || comprimento < 4)
            return {};
        const auto* traducao = static_cast<const std::uint8_t*>(valor);
        const unsigned idioma = traducao[0] | (traducao[1] << 8);
        const unsigned paginaCodigo = traducao[2] | (traducao[3] << 8);

        char consulta[64];
        std::snprintf(consulta, sizeof consulta, "\\StringFileInfo\\%04x%04x\\FileVersion", idioma, paginaCodigo);
        if (!v::verQueryValue(bloco.data(), consulta, &valor, &comprimento) || !valor) return {};
        const char* texto = static_cast<const char*>(valor);
        return std::string(texto, strnlen(texto, comprimento));
    } catch (...) {
        return {};
    }
}
