#include "app/abrir_no_navegador.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/app/fixture.h"

namespace {

// A stand-in browser named xdg-open on a private PATH, writing its argument
// count and arguments to a file.
class NavegadorFalso : public ::testing::Test {
protected:
    void SetUp() override {
        saida = pasta.caminho / "chamada.txt";
        const std::filesystem::path programa = pasta.caminho / "xdg-open";
        std::ofstream(programa) << "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"[$a]\"; done; } > \""
                                << saida.string() << ".tmp\"\nmv \"" << saida.string() << ".tmp\" \""
                                << saida.string() << "\"\n";
        chmod(programa.c_str(), 0755);
        setenv("PATH", (pasta.caminho.string() + ":/usr/bin:/bin").c_str(), 1);
    }

    std::string chamada() const {
        for (int i = 0; i < 500 && !std::filesystem::exists(saida); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream f(saida);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    teste_app::PastaTemporaria pasta;
    std::filesystem::path saida;
};

TEST_F(NavegadorFalso, TextoVazioSemParametros) {
    abrirNoNavegador("");
    EXPECT_EQ(chamada(), "0\n");
}

TEST_F(NavegadorFalso, TextoComBrancosEUmSoParametro) {
    abrirNoNavegador("/opt/quindral/Ajuda/Manual do usu\xe1rio.html");
    EXPECT_EQ(chamada(), "1\n[/opt/quindral/Ajuda/Manual do usu\xe1rio.html]\n");
}

TEST(AbrirNoNavegador, ProgramaQueNaoIniciaLevantaFalhaNomeada) {
    teste_app::PastaTemporaria vazia;
    setenv("PATH", vazia.caminho.c_str(), 1);
    try {
        abrirNoNavegador("http://www.zelmora.com.br");
        FAIL() << "no failure raised";
    } catch (const EAbrirNavegador& e) {
        EXPECT_STREQ(e.className(), "EAbrirNavegador");
    }
    EXPECT_THROW(abrirNoNavegador("", (vazia.caminho / "nada").string()), EAbrirNavegador);
}

}  // namespace
