#include "platform/ini/ini_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace {

using platform::ini::IniFile;

struct Caso {
    const char* texto;
    const char* secao;
    const char* chave;
    const char* esperado;  // "<default>" when the default should come back
};

class Leitura : public ::testing::TestWithParam<Caso> {};

TEST_P(Leitura, MatchesNamesAndCleansValues) {
    const Caso& c = GetParam();
    const auto ini = IniFile::fromText(c.texto);
    EXPECT_EQ(ini.readString(c.secao, c.chave, "<default>"), c.esperado) << c.texto;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Leitura,
    ::testing::Values(
        Caso{"[geral]\r\nidioma=English\r\n", "geral", "idioma", "English"},
        Caso{"[GERAL]\nIDIOMA=English\n", "geral", "idioma", "English"},
        Caso{"[especificacaoidioma]\rnomeidioma=X\r", "EspecificacaoIdioma", "nomeIdioma", "X"},
        Caso{"  [ geral ]  \n  idioma  =   Portugu\xEAs (Brasil)  \n", "geral", "idioma", "Portugu\xEAs (Brasil)"},
        Caso{"[geral]\nidioma=\"English\"\n", "geral", "idioma", "English"},
        Caso{"[geral]\nidioma= ' English ' \n", "geral", "idioma", " English "},
        Caso{"[geral]\nidioma=\"English\n", "geral", "idioma", "\"English"},
        Caso{"[geral]\nidioma=\n", "geral", "idioma", ""},
        Caso{"[geral]\nidioma=a=b\n", "geral", "idioma", "a=b"},
        Caso{"[geral]\n;idioma=x\n", "geral", "idioma", "<default>"},
        Caso{"[geral]\nidioma\n", "geral", "idioma", "<default>"},
        Caso{"idioma=x\n[geral]\n", "geral", "idioma", "<default>"},
        Caso{"[outra]\nidioma=x\n", "geral", "idioma", "<default>"},
        Caso{"[geral]\nidioma=1\nidioma=2\n[geral]\nidioma=3\n", "geral", "idioma", "1"},
        Caso{"[geral]\n[geral]\nidioma=3\n", "geral", "idioma", "<default>"},
        Caso{"[\xC1rea]\nchave=v\n", "\xE1rea", "chave", "v"},
        Caso{"[geral]\r\n\r\nidioma=x", "geral", "idioma", "x"}),
    [](const auto& info) { return "caso" + std::to_string(info.index); });

TEST(IniFile, MissingOrUnreadableFileGivesDefaults) {
    const IniFile missing("/nonexistent/quindral/settings.ini");
    EXPECT_EQ(missing.readString("geral", "idioma", "d"), "d");
    EXPECT_FALSE(missing.sectionExists("geral"));
    const IniFile directory("/tmp");
    EXPECT_EQ(directory.readString("geral", "idioma", "d"), "d");
}

TEST(IniFile, ReadsFileBytesUnchanged) {
    char tmpl[] = "/tmp/quindral-ini-XXXXXX";
    const int fd = mkstemp(tmpl);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(tmpl, std::ios::binary) << "[Geral]\r\nidioma=Portugu\xEAs\r\n";
    const IniFile ini(tmpl);
    EXPECT_TRUE(ini.sectionExists("GERAL"));
    EXPECT_EQ(ini.readString("geral", "IDIOMA", ""), "Portugu\xEAs");
    std::remove(tmpl);
}

}  // namespace
