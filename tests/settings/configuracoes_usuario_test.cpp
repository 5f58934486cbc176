#include "settings/configuracoes_usuario.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

#include "platform/files/files.h"

namespace fs = std::filesystem;

namespace {

// The program "installed" in a private folder of its own.
class Configuracoes : public ::testing::Test {
protected:
    Configuracoes() {
        char tmpl[] = "/tmp/quindral-settings-XXXXXX";
        pasta = mkdtemp(tmpl);
        executavel = std::make_unique<platform::files::ExecutablePathOverride>(pasta / "quindral");
    }
    ~Configuracoes() override {
        executavel.reset();
        fs::permissions(pasta, fs::perms::owner_all);
        fs::remove_all(pasta);
    }

    void escrever(const std::string& conteudo) const {
        std::ofstream(pasta / "quindral.ini", std::ios::binary) << conteudo;
    }
    std::string ler() const {
        std::ifstream in(pasta / "quindral.ini", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path pasta;
    std::unique_ptr<platform::files::ExecutablePathOverride> executavel;
};

TEST_F(Configuracoes, FileNameFollowsTheExecutable) {
    EXPECT_EQ(ConfiguracoesUsuario().obterNomeArquivo(), "quindral.ini");
    EXPECT_EQ(ConfiguracoesUsuario::caminhoArquivo(), pasta / "quindral.ini");
    platform::files::ExecutablePathOverride comExtensao(pasta / "tuner.exe");
    EXPECT_EQ(ConfiguracoesUsuario().obterNomeArquivo(), "tuner.ini");
}

TEST_F(Configuracoes, ReadsValuesOrFallsBackToDefaults) {
    struct {
        const char* arquivo;  // nullptr: no settings file
        const char* idioma;
        int afinacao, tipo;
    } casos[] = {
        {nullptr, "", 0, 0},
        {"[geral]\r\nidioma=English\r\nafinacaoSelecionada=7\r\ntipoSistema=2\r\n", "English", 7, 2},
        {"[GERAL]\nIdioma =  Portugu\xEAs (Brasil) \nAFINACAOSELECIONADA= 3 \ntiposistema=-1\n",
         "Portugu\xEAs (Brasil)", 3, -1},
        {"[outra]\r\nidioma=English\r\n", "", 0, 0},
        {"[geral]\r\nafinacaoSelecionada=5\r\n", "", 5, 0},
        {"[geral]\r\nafinacaoSelecionada=abc\r\ntipoSistema=2\r\n", "", 0, 0},
        {"[geral]\r\nafinacaoSelecionada=4\r\ntipoSistema=abc\r\n", "", 0, 0},
        {"[geral]\r\nafinacaoSelecionada=\r\ntipoSistema=2\r\n", "", 0, 0},
        {"[geral]\r\nafinacaoSelecionada=9999999999\r\ntipoSistema=2\r\n", "", 0, 0},
        {"[geral]\r\nidioma=\r\nafinacaoSelecionada=1\r\n", "", 1, 0},
    };
    for (const auto& c : casos) {
        fs::remove(pasta / "quindral.ini");
        if (c.arquivo) escrever(c.arquivo);
        const std::string descricao = c.arquivo ? c.arquivo : "(no file)";
        EXPECT_EQ(ConfiguracoesUsuario::lerIdioma(), c.idioma) << descricao;
        EXPECT_EQ(ConfiguracoesUsuario::obterIdioma(), c.idioma) << descricao;
        const ConfiguracoesUsuario config;
        EXPECT_EQ(config.obterAfinacaoSelecionada(), c.afinacao) << descricao;
        EXPECT_EQ(config.obterTipoSistema(), c.tipo) << descricao;
    }
}

TEST_F(Configuracoes, WritesExactlyFourLinesAndReadsThemBack) {
    escrever("[geral]\r\nidioma=x\r\n[outra]\r\nchave=valor\r\n");
    ConfiguracoesUsuario config;
    config.gravar(-12, 2, "Portugu\xEAs (Brasil)");
    EXPECT_EQ(ler(), "[geral]\r\nidioma=Portugu\xEAs (Brasil)\r\nafinacaoSelecionada=-12\r\ntipoSistema=2\r\n");
    EXPECT_EQ(config.obterAfinacaoSelecionada(), -12);
    EXPECT_EQ(ConfiguracoesUsuario::obterIdioma(), "Portugu\xEAs (Brasil)");

    // The next run sees the same values; the mode stays 2 run after run.
    for (int run = 0; run < 3; ++run) {
        EXPECT_EQ(ConfiguracoesUsuario::lerIdioma(), "Portugu\xEAs (Brasil)");
        ConfiguracoesUsuario seguinte;
        EXPECT_EQ(seguinte.obterAfinacaoSelecionada(), -12);
        EXPECT_EQ(seguinte.obterTipoSistema(), 2);
        seguinte.gravar(seguinte.obterAfinacaoSelecionada(), seguinte.obterTipoSistema(), "Portugu\xEAs (Brasil)");
    }
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()), 1);
}

TEST_F(Configuracoes, FailedWriteIsSilentAndKeepsThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const std::string antes = "[geral]\r\nidioma=English\r\nafinacaoSelecionada=3\r\ntipoSistema=1\r\n";
    escrever(antes);
    fs::permissions(pasta, fs::perms::owner_read | fs::perms::owner_exec);
    ConfiguracoesUsuario config;
    EXPECT_NO_THROW(config.gravar(8, 1, "Outro"));
    EXPECT_EQ(config.obterAfinacaoSelecionada(), 8);
    EXPECT_EQ(ConfiguracoesUsuario::obterIdioma(), "Outro");
    fs::permissions(pasta, fs::perms::owner_all);
    EXPECT_EQ(ler(), antes);
}

TEST_F(Configuracoes, WriteCutShortLeavesThePreviousFileWhole) {
    // A disk that fills up half-way through the write.
    const std::string antes = "[geral]\r\nidioma=English\r\nafinacaoSelecionada=3\r\ntipoSistema=1\r\n";
    escrever(antes);
    ConfiguracoesUsuario config;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit anterior{};
    getrlimit(RLIMIT_FSIZE, &anterior);
    rlimit pequeno = anterior;
    pequeno.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &pequeno), 0);
    config.gravar(8, 1, "Portugu\xEAs (Brasil)");
    setrlimit(RLIMIT_FSIZE, &anterior);
    EXPECT_EQ(ler(), antes);
    EXPECT_EQ(std::distance(fs::directory_iterator(pasta), fs::directory_iterator()), 1);
}

TEST_F(Configuracoes, SettingsFileThatIsAFolderIsNeitherReadNorReplaced) {
    fs::create_directory(pasta / "quindral.ini");
    EXPECT_EQ(ConfiguracoesUsuario::lerIdioma(), "");
    ConfiguracoesUsuario config;
    EXPECT_NO_THROW(config.gravar(1, 0, "English"));
    EXPECT_TRUE(fs::is_directory(pasta / "quindral.ini"));
}

}  // namespace
