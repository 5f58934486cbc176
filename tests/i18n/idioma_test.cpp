#include "i18n/idioma.h"

#include <gtest/gtest.h>

#include "i18n/mensagens.h"
#include "i18n/suporte.h"
#include "platform/core/exceptions.h"
#include "tests/i18n/fixture.h"

namespace {

using namespace std::string_literals;
using teste_idiomas::PastaTemporaria;

struct Linhas {
    const char* descricao;
    std::string arquivo;
    const char* secao;
    const char* chave;
    std::string esperado;
};

class LinhasDoArquivo : public ::testing::TestWithParam<Linhas> {};

TEST_P(LinhasDoArquivo, GiveTheTextUnderSectionAndKey) {
    const Linhas& c = GetParam();
    PastaTemporaria pasta;
    pasta.escrever("L.idm", c.arquivo);
    const Idioma idioma(pasta.diretorio, "L.idm", "L.dat");
    EXPECT_EQ(idioma.obterTexto(c.secao, c.chave), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, LinhasDoArquivo,
    ::testing::Values(
        Linhas{"plain", "[geral]\r\nnomeAplicacao=Quindral\r\n", "geral", "nomeAplicacao", "Quindral"},
        Linhas{"lone CR and LF", "[a]\rk=1\n[b]\nk=2\r", "b", "k", "2"},
        Linhas{"CR LF is one line end", "[a]\r\n\r\nk=1\r\n", "a", "k", "1"},
        Linhas{"blank before = joins the key", "[a]\r\nk =v\r\n", "a", "k", ""},
        Linhas{"...and is found with it", "[a]\r\nk = v\r\n", "a", "k ", " v"},
        Linhas{"indented key is never found", "[a]\r\n  k=v\r\n", "a", "k", ""},
        Linhas{"trailing blanks dropped", "[a]\r\nk=0,10  \t\r\n", "a", "k", "0,10"},
        Linhas{"later = belong to the value", "[a]\r\nk=x=y\r\n", "a", "k", "x=y"},
        Linhas{"# is a line break", "[a]\r\nk=um#dois##\r\n", "a", "k", "um\r\ndois\r\n\r\n"},
        Linhas{"; is an ordinary key", "[a]\r\n;k=v\r\n", "a", ";k", "v"},
        Linhas{"no = gives the empty key", "[a]\r\nsolta\r\n", "a", "", "solta"},
        Linhas{"NUL ends the text", "[a]\r\nk=v\r\n\0[b]\r\nk=w\r\n"s, "b", "k", ""},
        Linhas{"NUL inside a value", "[a]\r\nk=v\0w\r\n"s, "a", "k", "v"},
        Linhas{"first of repeated keys", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "1"},
        Linhas{"repeated section: only the first", "[geral]\r\nx=1\r\n[b]\r\n[geral]\r\ny=2\r\n", "geral", "y", ""},
        Linhas{"repeated section: first one's keys", "[geral]\r\nx=1\r\n[b]\r\n[geral]\r\nx=2\r\n", "geral", "x", "1"},
        Linhas{"keys above the first header", "k=0\r\n[a]\r\n", "", "k", ""},
        Linhas{"section case counts", "[Geral]\r\nk=v\r\n", "geral", "k", ""},
        Linhas{"key case counts", "[a]\r\nK=v\r\n", "a", "k", ""},
        Linhas{"header last character dropped whatever it is", "[abc\r\nk=v\r\n", "ab", "k", "v"},
        Linhas{"header trimmed first", "  \t[a]  \r\nk=v\r\n", "a", "k", "v"},
        Linhas{"8-bit text kept", "[a]\r\nk=Afina\xE7\xE3o\r\n", "a", "k", "Afina\xE7\xE3o"},
        Linhas{"missing section", "[a]\r\nk=v\r\n", "b", "k", ""}),
    [](const auto& info) {
        std::string n = info.param.descricao;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST(Idioma, OrdinalsCountEveryHeader) {
    // Sections are resolved through their ordinal: a section named like an
    // ordinal key must not confuse keys of other sections.
    PastaTemporaria pasta;
    pasta.escrever("L.idm", "[x]\r\n[y]\r\n[fmPrincipal]\r\nlblTextoCorda=Texto\r\n[z]\r\nlblTextoCorda=Outro\r\n");
    const Idioma idioma(pasta.diretorio, "L.idm", "L.dat");
    EXPECT_EQ(idioma.obterTexto("fmPrincipal", "lblTextoCorda"), "Texto");
    EXPECT_EQ(idioma.obterTexto("z", "lblTextoCorda"), "Outro");
    EXPECT_EQ(idioma.obterTexto("fmPrincipal", "CS3lblTextoCorda"), "");
}

TEST(Idioma, NomeIdiomaComesFromTheBodyAsWritten) {
    PastaTemporaria pasta;
    pasta.escrever("A.idm", "[EspecificacaoIdioma]\r\nnomeIdioma=Portugu\xEAs\r\n");
    pasta.escrever("B.idm", "[especificacaoidioma]\r\nnomeIdioma=English\r\n");
    pasta.escrever("C.idm", "[EspecificacaoIdioma]\r\nnomeIdioma=\"English\"\r\n");
    EXPECT_EQ(Idioma(pasta.diretorio, "A.idm", "A.dat").obterNomeIdioma(), "Portugu\xEAs");
    EXPECT_EQ(Idioma(pasta.diretorio, "B.idm", "B.dat").obterNomeIdioma(), "");
    EXPECT_EQ(Idioma(pasta.diretorio, "C.idm", "C.dat").obterNomeIdioma(), "\"English\"");
}

TEST(Idioma, UnreadableLanguageFileRaisesFileError) {
    PastaTemporaria pasta;
    EXPECT_THROW(Idioma(pasta.diretorio, "nada.idm", "nada.dat"), EFOpenError);
    std::filesystem::create_directory(pasta.caminho / "pasta.idm");
    EXPECT_THROW(Idioma(pasta.diretorio, "pasta.idm", "pasta.dat"), EFOpenError);
}

// Pictures: a picture file holding two JPEGs back to back.
class Imagens : public ::testing::Test {
protected:
    void SetUp() override {
        const auto a = teste_idiomas::jpegDe(12, 7);
        const auto b = teste_idiomas::jpegDe(5, 9);
        std::string dat(a.begin(), a.end());
        dat.append(b.begin(), b.end());
        pasta.escrever("L.dat", dat);
        const std::string segunda = std::to_string(a.size()) + "," + std::to_string(b.size());
        const std::string alem = std::to_string(a.size()) + "," + std::to_string(b.size() + 1);
        pasta.escrever("L.idm", "[p]\r\n"
                                "primeira=0," + std::to_string(a.size()) + "\r\n"
                                "segunda=" + segunda + "\r\n"
                                "inteira=0,0\r\n"
                                "vazia=\r\n"
                                "semVirgula=100\r\n"
                                "naoNumero=0,abc\r\n"
                                "negativa=0,-5\r\n"
                                "offsetNegativo=-1,10\r\n"
                                "alemDoFim=" + alem + "\r\n"
                                "foraDoArquivo=99999999,10\r\n"
                                "naoJpeg=3,40\r\n"
                                "comBranco=0, 10\r\n");
    }

    std::unique_ptr<Idioma> carregar(const std::string& dados = "L.dat") {
        return std::make_unique<Idioma>(pasta.diretorio, "L.idm", dados,
                                        [this](const std::string& t, const std::string& ti) {
                                            avisos.push_back(ti + "|" + t);
                                        });
    }

    PastaTemporaria pasta;
    std::vector<std::string> avisos;
};

TEST_F(Imagens, ReferencesGiveTheirPicture) {
    const auto idioma = carregar();
    struct {
        const char* chave;
        int largura, altura;
    } casos[] = {{"primeira", 12, 7}, {"segunda", 5, 9}, {"inteira", 12, 7}};
    for (const auto& c : casos) {
        const auto imagem = idioma->obterImagem("p", c.chave);
        ASSERT_NE(imagem, nullptr) << c.chave;
        EXPECT_EQ(imagem->width, c.largura) << c.chave;
        EXPECT_EQ(imagem->height, c.altura) << c.chave;
    }
    EXPECT_TRUE(avisos.empty());
}

TEST_F(Imagens, MissingOrEmptyKeyIsNoPictureAndNoMessage) {
    const auto idioma = carregar();
    EXPECT_EQ(idioma->obterImagem("p", "vazia"), nullptr);
    EXPECT_EQ(idioma->obterImagem("p", "naoExiste"), nullptr);
    EXPECT_EQ(idioma->obterImagem("outra", "primeira"), nullptr);
    EXPECT_TRUE(avisos.empty());
    EXPECT_FALSE(idioma->corrupcaoAvisada());
}

TEST_F(Imagens, EachBrokenReferenceIsNoPictureAndWarnsOnce) {
    for (const char* chave : {"semVirgula", "naoNumero", "negativa", "offsetNegativo", "alemDoFim",
                              "foraDoArquivo", "naoJpeg", "comBranco"}) {
        const auto idioma = carregar();
        EXPECT_EQ(idioma->obterImagem("p", chave), nullptr) << chave;
        EXPECT_TRUE(idioma->corrupcaoAvisada()) << chave;
        // A second broken reference, and a good one, add no message.
        EXPECT_EQ(idioma->obterImagem("p", "naoJpeg"), nullptr);
        EXPECT_NE(idioma->obterImagem("p", "primeira"), nullptr);
        ASSERT_EQ(avisos.size(), 1u) << chave;
        avisos.clear();
    }
}

TEST_F(Imagens, MissingPictureFileIsBrokenAndTheMessageNamesSupport) {
    const auto idioma = carregar("falta.dat");
    EXPECT_EQ(idioma->obterImagem("p", "primeira"), nullptr);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0], std::string("Internationalization|") +
                             "The file of the language you have selected is corrupted. Try to reinstall your software.\r\n"
                             "If the problem persist, please contact us: " + kEmailSuporte + ".");
}

TEST_F(Imagens, PictureFileThatIsAFolderIsBroken) {
    std::filesystem::create_directory(pasta.caminho / "pasta.dat");
    const auto idioma = carregar("pasta.dat");
    EXPECT_EQ(idioma->obterImagem("p", "inteira"), nullptr);
    EXPECT_EQ(avisos.size(), 1u);
}

TEST_F(Imagens, PictureFileIsReadAtEachRequest) {
    const auto idioma = carregar("tarde.dat");
    std::filesystem::copy_file(pasta.caminho / "L.dat", pasta.caminho / "tarde.dat");
    EXPECT_NE(idioma->obterImagem("p", "segunda"), nullptr);
    EXPECT_TRUE(avisos.empty());
}

}  // namespace
