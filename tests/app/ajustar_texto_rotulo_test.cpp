// Label fitting with real font metrics: bold "Arial" 12 px, which the window
// layer maps to Liberation Sans, as on the main window's labels.
#include "app/ajustar_texto_rotulo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ui/application.h"
#include "platform/ui/fonts.h"
#include "platform/ui/label.h"
#include "tests/app/fixture_qt.h"

namespace {

class AjustarTextoRotulo : public ::testing::Test {
protected:
    void SetUp() override {
        teste_app::iniciarQt();
        pai = std::make_unique<QWidget>();
        pai->resize(802, 532);
    }

    // A centred-text auto-sizing label at left 267, as the main window has.
    platform::ui::Label& rotulo(const std::string& texto, int pixels = 12) {
        auto* r = new platform::ui::Label(pai.get());
        r->setAlignment(Qt::AlignHCenter);
        r->setFont(platform::ui::formFont("Arial", pixels, true));
        r->move(kEsquerda, 217);
        r->setCaption(texto);
        return *r;
    }

    int larguraDe(const std::string& texto, int pixels = 12) { return rotulo(texto, pixels).width(); }

    static constexpr int kEsquerda = 267;
    std::unique_ptr<QWidget> pai;
};

TEST_F(AjustarTextoRotulo, TextoQueCabeFicaComALarguraDaArea) {
    platform::ui::Label& r = rotulo("Guitarra");
    ASSERT_LT(r.width(), 130);
    ajustarTextoRotulo(r, 130);
    EXPECT_EQ(r.caption(), "Guitarra");
    EXPECT_EQ(r.width(), 130);
    EXPECT_EQ(r.x(), kEsquerda);
}

TEST_F(AjustarTextoRotulo, UmCaractereAMaisPerdeOUltimoECentraliza) {
    // A last letter wider than "..." in a large font, so that the shortened
    // text leaves a few pixels to share out.
    const std::string texto = "Baixo \xc6";
    const int curto = larguraDe("Baixo ...", 30);
    const int largura = curto + 3;
    ASSERT_GT(larguraDe(texto, 30), largura);

    platform::ui::Label& r = rotulo(texto, 30);
    ajustarTextoRotulo(r, largura);
    EXPECT_EQ(r.caption(), "Baixo ...");
    EXPECT_EQ(r.width(), curto);
    EXPECT_EQ(r.x(), kEsquerda + 1);  // 3 / 2, toward zero
}

TEST_F(AjustarTextoRotulo, TextoLongoTerminaEmReticenciasDentroDaArea) {
    const std::string texto = "Guitarra de doze cordas afinada em R\xe9 aberto";
    platform::ui::Label& r = rotulo(texto);
    ajustarTextoRotulo(r, 130);

    const std::string resultado = r.caption();
    ASSERT_GE(resultado.size(), 4u);
    const std::string prefixo = resultado.substr(0, resultado.size() - 3);
    EXPECT_EQ(resultado.substr(prefixo.size()), "...");
    EXPECT_EQ(texto.compare(0, prefixo.size(), prefixo), 0);
    EXPECT_LE(r.width(), 130);
    // The longest such prefix: one more character would not fit.
    EXPECT_GT(larguraDe(texto.substr(0, prefixo.size() + 1) + "..."), 130);
    EXPECT_EQ(r.x(), kEsquerda + (130 - r.width()) / 2);
}

// Shortening stops at "..." alone when even that is wider than the area,
// and for a label that does not size itself to its text.
TEST_F(AjustarTextoRotulo, ReticenciasSozinhasDemasiadoLargasTerminam) {
    const int reticencias = larguraDe("...");
    struct Caso {
        std::string texto;
        bool autoSize;
        int largura;
        std::string esperado;
        int larguraFinal;
    } casos[] = {
        {"Guitarra", true, 5, "...", reticencias},
        {"X", true, 5, "...", reticencias},
        {"Guitarra", false, 100, "...", 200},
    };
    for (const Caso& c : casos) {
        platform::ui::Label& r = rotulo(c.texto);
        if (!c.autoSize) {
            r.setAutoSize(false);
            r.resize(200, r.height());
        }
        ajustarTextoRotulo(r, c.largura);
        EXPECT_EQ(r.caption(), c.esperado) << c.texto;
        EXPECT_EQ(r.width(), c.larguraFinal) << c.texto;
        EXPECT_EQ(r.x(), kEsquerda + (c.largura - c.larguraFinal) / 2) << c.texto;
    }
}

}  // namespace
