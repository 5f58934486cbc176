// The tunings file the program ships, read with the language files it ships,
// as they stand in the assembled application folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "i18n/idioma.h"
#include "tunings/xml_afinacao_parser.h"

namespace {

const std::filesystem::path pastaAplicacao = QUINDRAL_APP_DIR;

std::size_t entradasNoArquivo() {
    std::ifstream in(pastaAplicacao / "Afinacoes.xml", std::ios::binary);
    const std::string texto((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t n = 0;
    for (std::size_t p = texto.find("<Afinacao>"); p != std::string::npos; p = texto.find("<Afinacao>", p + 1)) ++n;
    return n;
}

class AfinacoesDistribuidasTest : public ::testing::TestWithParam<const char*> {};

TEST_P(AfinacoesDistribuidasTest, EveryEntryComesThroughWithItsNames) {
    const std::string stem = GetParam();
    const Idioma idioma(pastaAplicacao.string() + "/", stem + ".idm", stem + ".dat");
    const XMLAfinacaoParser leitor([&](const std::string& secao, const std::string& chave) {
        return idioma.obterTexto(secao, chave);
    });
    const auto lista = leitor.lerArquivo(pastaAplicacao / "Afinacoes.xml");

    ASSERT_GE(lista.size(), 17u);
    EXPECT_EQ(lista.size(), entradasNoArquivo());
    std::set<std::string> descricoes;
    for (const Afinacao& a : lista) {
        const std::string d = a.obterDescricao();
        EXPECT_FALSE(a.obterInstrumento().empty()) << d;
        EXPECT_FALSE(a.obterTipoAfinacao().empty()) << d;
        // Every key found its text: none is left over as raw key characters.
        for (const std::string& texto : {a.obterInstrumento(), a.obterTipoAfinacao()}) {
            EXPECT_EQ(texto.find('#'), std::string::npos) << d;
            EXPECT_EQ(texto.find_first_of("\r\n"), std::string::npos) << d;
        }
        EXPECT_GE(a.obterNumeroCordas(), 4) << d;
        EXPECT_LE(a.obterNumeroCordas(), 6) << d;
        descricoes.insert(d);
    }
    // Mandolin and violin share their notes but not their names.
    EXPECT_EQ(descricoes.size(), lista.size());
}

INSTANTIATE_TEST_SUITE_P(Idiomas, AfinacoesDistribuidasTest, ::testing::Values("English", "Portugues"));

TEST(AfinacoesDistribuidasTest, FirstTuningIsStandardGuitar) {
    const Idioma portugues(pastaAplicacao.string() + "/", "Portugues.idm", "Portugues.dat");
    const XMLAfinacaoParser leitor([&](const std::string& s, const std::string& k) { return portugues.obterTexto(s, k); });
    const auto lista = leitor.lerArquivo(pastaAplicacao / "Afinacoes.xml");
    ASSERT_FALSE(lista.empty());
    EXPECT_EQ(lista[0].obterDescricao(), "Viol\xE3o (Padr\xE3o) - E, A, D, G, B, E");
    EXPECT_EQ(lista[0].obterNotaMIDI(0), 40);
    EXPECT_EQ(lista[0].obterNotaMIDI(5), 64);
}

}  // namespace
