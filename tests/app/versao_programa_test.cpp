// This test executable carries the program's version block; the others it
// reads carry another translation, or none.
#include "app/versao_programa.h"

#include <gtest/gtest.h>

#include "platform/files/files.h"
#include "tests/app/fixture.h"

namespace {

TEST(VersaoPrograma, DoExecutavelEmExecucao) {
    EXPECT_EQ(obterVersaoPrograma(), "2.0.3.0");
    const platform::files::ExecutablePathOverride semBloco(VERSAO_SEM_BLOCO);
    EXPECT_EQ(obterVersaoPrograma(), "");
}

TEST(VersaoPrograma, PorArquivo) {
    teste_app::PastaTemporaria pasta;
    pasta.escrever("texto", "not an executable");
    pasta.escrever("elf-cortado", "\x7f" "ELF\x02\x01\x01");
    const struct {
        std::filesystem::path arquivo;
        std::string versao;
    } casos[] = {
        {platform::files::executablePath(), "2.0.3.0"},
        {VERSAO_OUTRA_TRADUCAO, "1.2.3.4"},  // the query follows the block's own translation
        {VERSAO_SEM_BLOCO, ""},
        {pasta.caminho / "texto", ""},
        {pasta.caminho / "elf-cortado", ""},
        {pasta.caminho / "nao-existe", ""},
        {pasta.caminho, ""},
    };
    for (const auto& c : casos) EXPECT_EQ(obterVersaoPrograma(c.arquivo), c.versao) << c.arquivo;
}

}  // namespace
