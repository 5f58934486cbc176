#include "app/form_splash.h"

#include <gtest/gtest.h>

#include <QImage>

#include "i18n/gerenciador_idiomas.h"
#include "platform/jpeg/jpeg.h"
#include "platform/ui/picture_control.h"
#include "tests/app/fixture_qt.h"

namespace {

// A 250 x 250 language picture: its left half red, its right half green.
std::string imagemEntrada() {
    platform::Picture p{250, 250, std::vector<std::uint8_t>(250 * 250 * 3)};
    for (int y = 0; y < 250; ++y)
        for (int x = 0; x < 250; ++x) {
            std::uint8_t* px = &p.rgb[(std::size_t(y) * 250 + x) * 3];
            px[0] = x < 125 ? 255 : 0;
            px[1] = x < 125 ? 0 : 255;
            px[2] = 0;
        }
    const std::vector<std::uint8_t> jpeg = platform::jpeg::encode(p, 95);
    return std::string(jpeg.begin(), jpeg.end());
}

bool perto(QColor c, int r, int g, int b) {
    return std::abs(c.red() - r) < 24 && std::abs(c.green() - g) < 24 && std::abs(c.blue() - b) < 24;
}

TEST(FormSplash, JanelaSemBordaComAImagemDoIdioma) {
    teste_app::iniciarQt();
    struct Caso {
        std::string chave;
        bool comImagem;
    } casos[] = {{"imgEntrada=0,0\r\n", true}, {"", false}};
    for (const Caso& c : casos) {
        teste_app::PastaTemporaria pasta;
        pasta.escrever("pt.idm", teste_app::idiomaPortugues() + "[fmEntrada]\r\n" + c.chave);
        pasta.escrever("pt.dat", imagemEntrada());
        GerenciadorIdiomas idiomas(pasta.diretorio, {});
        ASSERT_TRUE(idiomas.carregar(0));

        TformSplash splash(idiomas);
        EXPECT_EQ(splash.size(), QSize(250, 250));
        EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(splash.imgEntrada()->geometry(), QRect(0, 0, 250, 250));
        EXPECT_EQ(splash.imgEntrada()->hasPicture(), c.comImagem);

        const QImage tela = splash.grab().toImage();
        if (c.comImagem) {
            EXPECT_TRUE(perto(tela.pixelColor(10, 125), 255, 0, 0));
            EXPECT_TRUE(perto(tela.pixelColor(240, 125), 0, 255, 0));
        } else {
            EXPECT_EQ(tela.pixelColor(125, 125), QColor(33, 100, 173));
        }
    }
}

}  // namespace
