// The windows as they look with the shipped languages: every picture in
// place, and each assistant page and the chooser saved as PNG (build dir,
// dialogs-png/) for a look.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialogs/form_afinacoes.h"
#include "dialogs/form_assistente.h"
#include "platform/ui/capture.h"
#include "platform/ui/list_box.h"
#include "platform/ui/page_control.h"
#include "platform/ui/picture_control.h"
#include "platform/ui/progress_bar.h"
#include "platform/wavein/stepped_device.h"
#include "tests/dialogs/fixture.h"
#include "tunings/afinacao.h"
#include "tunings/gerenciador_afinacoes.h"
#include "tunings/xml_afinacao_parser.h"

namespace {

class ImagensJanelas : public teste_dialogos::Fixture, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ImagensJanelas, EveryPictureIsInPlace) {
    // (file name, language name)
    const auto idioma = teste_dialogos::idiomaDistribuido(GetParam().second);
    const std::filesystem::path pasta = QUINDRAL_DIALOGS_PNG_DIR;
    std::filesystem::create_directories(pasta);
    const std::string nome = GetParam().first;

    platform::wavein::SteppedDevice dispositivo;
    TformAssistente assistente(*idioma, [](int) {});
    assistente.show();
    for (const char* controle : {"imagemRodape", "imgMicrofone", "btnFechar", "btnAnterior", "btnProximo",
                                 "btnConfiguracoes", "imagemBackGround0", "imagemBackGround4"}) {
        auto* c = assistente.findChild<platform::ui::PictureControl*>(controle);
        ASSERT_NE(c, nullptr) << controle;
        EXPECT_TRUE(c->hasPicture()) << controle;
    }
    assistente.medidorVolume()->setPosition(3000);  // to see the meter
    for (int p = 0; p < TformAssistente::QuantidadePaginas; ++p) {
        assistente.paginas()->setActivePageIndex(p);
        EXPECT_TRUE(platform::ui::saveWindowPng(&assistente, pasta / ("assistente-" + nome + "-" + std::to_string(p) + ".png")));
    }
    assistente.closeForm();

    XMLAfinacaoParser leitor([&](const std::string& s, const std::string& k) { return idioma->obterTexto(s, k); });
    GerenciadorAfinacoes catalogo(leitor, std::filesystem::path(QUINDRAL_APP_DIR) / "Afinacoes.xml");
    catalogo.carregar();
    catalogo.selecionarAfinacao(1);
    TformAfinacoes afinacoes(*idioma, catalogo, [] {});
    afinacoes.show();
    for (auto* c : {afinacoes.imgFundo(), afinacoes.btnOk(), afinacoes.btnCancelar()}) EXPECT_TRUE(c->hasPicture());
    EXPECT_GT(afinacoes.listaAfinacoes()->count(), 0);
    EXPECT_TRUE(platform::ui::saveWindowPng(&afinacoes, pasta / ("afinacoes-" + nome + ".png")));
    afinacoes.closeForm();
}

INSTANTIATE_TEST_SUITE_P(Idiomas, ImagensJanelas, ::testing::Values(std::pair{"English", "English"},
                                                           std::pair{"Portugues", "Portugu\xEAs (Brasil)"}),
                         [](const auto& info) { return std::string(info.param.first); });

}  // namespace
