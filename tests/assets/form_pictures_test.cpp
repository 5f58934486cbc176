// The windows load these pictures through Qt's SVG support at run time, so a
// drawing Qt cannot read, or one of the wrong size, shows up only as an empty
// or misplaced control. These tests render them the way the windows will.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path formas{QUINDRAL_FORMS_DIR};

// Every picture with the size of the control that shows it.
const std::map<std::string, QSize> tamanhos = {
    {"principal/imagemBackground.svg", {798, 528}},
    {"principal/imgBraco4Cordas.svg", {326, 528}},
    {"principal/imgBraco6Cordas.svg", {326, 528}},
    {"principal/imagemCordaSelecionada.svg", {17, 306}},
    {"principal/imgFimCordaSelecionada1.svg", {16, 62}},
    {"principal/imgFimCordaSelecionada2.svg", {30, 118}},
    {"principal/imgFimCordaSelecionada3.svg", {46, 169}},
    {"principal/imgFimCordaSelecionada4.svg", {46, 174}},
    {"principal/imgFimCordaSelecionada5.svg", {30, 117}},
    {"principal/imgFimCordaSelecionada6.svg", {18, 65}},
    {"principal/imgMoverTarracha1.svg", {81, 89}},
    {"principal/imgMoverTarracha2.svg", {81, 89}},
    {"principal/imgMoverTarracha3.svg", {81, 89}},
    {"principal/imgMoverTarracha4.svg", {89, 104}},
    {"principal/imgMoverTarracha5.svg", {89, 97}},
    {"principal/imgMoverTarracha6.svg", {89, 97}},
    {"principal/imgPonteiro.svg", {163, 163}},
    {"principal/imgBtnFechar.svg", {25, 25}},
    {"principal/imgBtnFecharI.svg", {25, 25}},
    {"principal/imgBtnHelp.svg", {25, 25}},
    {"principal/imgBtnHelpI.svg", {25, 25}},
    {"principal/imgBtnMinimizar.svg", {25, 25}},
    {"principal/imgBtnMinimizarI.svg", {25, 25}},
    {"assistente/imgMicrofone.svg", {176, 102}},
    {"assistente/imagemRodape.svg", {389, 42}},
};

QGuiApplication& aplicacao() {
    static int argc = 1;
    static char nome[] = "test_assets_art";
    static char* argv[] = {nome, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

QImage desenhar(const std::string& relativo) {
    aplicacao();
    QSvgRenderer r(QString::fromStdString((formas / relativo).string()));
    if (!r.isValid()) return {};
    QImage img(r.defaultSize(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    return img;
}

int luminancia(const QImage& img, int x, int y) {
    const QColor c = img.pixelColor(x, y);
    return c.alpha() < 128 ? 0 : (c.red() * 3 + c.green() * 6 + c.blue()) / 10;
}

class CadaFigura : public testing::TestWithParam<std::string> {};

TEST_P(CadaFigura, IsReadableAtItsControlSizeAndDrawsSomething) {
    const std::string& nome = GetParam();
    aplicacao();
    QSvgRenderer r(QString::fromStdString((formas / nome).string()));
    ASSERT_TRUE(r.isValid()) << nome;
    EXPECT_EQ(r.defaultSize(), tamanhos.at(nome)) << nome;
    const QImage img = desenhar(nome);
    int opacos = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) opacos += img.pixelColor(x, y).alpha() > 0;
    EXPECT_GT(opacos, 200) << nome << " is (almost) empty";
}

std::vector<std::string> nomes() {
    std::vector<std::string> v;
    for (const auto& [n, s] : tamanhos) v.push_back(n);
    return v;
}

INSTANTIATE_TEST_SUITE_P(Formas, CadaFigura, testing::ValuesIn(nomes()), [](const auto& info) {
    std::string s = info.param;
    for (char& c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return s;
});

TEST(Formas, EveryDrawingIsKnownAndListedInTheReadme) {
    QFile leia(QString::fromStdString((formas / "README.md").string()));
    ASSERT_TRUE(leia.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(leia.readAll());
    std::set<std::string> achados;
    for (const auto& e : fs::recursive_directory_iterator(formas))
        if (e.path().extension() == ".svg") achados.insert(fs::relative(e.path(), formas).generic_string());
    for (const auto& n : achados) {
        EXPECT_TRUE(tamanhos.count(n)) << n << " has no control size in this test";
        EXPECT_TRUE(readme.contains(QString::fromStdString(fs::path(n).filename().string()))) << n << " missing from README.md";
    }
    for (const auto& [n, s] : tamanhos) EXPECT_TRUE(achados.count(n)) << n << " is missing";
}

// The string controls are 17 wide at these window lefts; the neck is drawn at
// 2,2, so each string of the neck must run down the middle of its control.
constexpr int esquerdas[6] = {99, 118, 138, 158, 178, 197};

void conferirCordas(const std::string& braco, std::set<int> comCorda) {
    const QImage img = desenhar(braco);
    ASSERT_FALSE(img.isNull());
    for (int y : {300, 395, 470}) {  // between frets, nut to the bottom
        for (int s = 0; s < 6; ++s) {
            const int x = esquerdas[s] + 8 - 2;
            const int corda = std::max(luminancia(img, x, y), luminancia(img, x + 1, y));
            const int lado = std::max(luminancia(img, x - 7, y), luminancia(img, x + 8, y));
            if (comCorda.count(s))
                EXPECT_GT(corda, lado + 40) << braco << ": no string under slot " << s << " at y " << y;
            else
                EXPECT_LE(corda, lado + 10) << braco << ": a string under empty slot " << s << " at y " << y;
        }
    }
}

TEST(Formas, StringsOfTheNecksLieUnderTheirSlots) {
    conferirCordas("principal/imgBraco6Cordas.svg", {0, 1, 2, 3, 4, 5});
    conferirCordas("principal/imgBraco4Cordas.svg", {1, 2, 3, 4});
}

TEST(Formas, SelectedStringIsLitInTheMiddleOfItsControl) {
    const QImage img = desenhar("principal/imagemCordaSelecionada.svg");
    for (int y : {0, 150, 305}) {
        EXPECT_GT(luminancia(img, 8, y), 200) << "y " << y;
        EXPECT_LT(img.pixelColor(0, y).alpha(), 40) << "y " << y;
        EXPECT_LT(img.pixelColor(16, y).alpha(), 40) << "y " << y;
    }
}

// The window turns the needle counter-clockwise by its angle about the
// picture's centre, so at rest it must point straight up from that centre.
TEST(Formas, NeedlePointsStraightUpFromTheCentre) {
    const QImage img = desenhar("principal/imgPonteiro.svg");
    double somaX = 0, somaY = 0, n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double a = img.pixelColor(x, y).alphaF();
            somaX += a * (x + 0.5), somaY += a * (y + 0.5), n += a;
        }
    ASSERT_GT(n, 0);
    EXPECT_NEAR(somaX / n, 81.5, 1.5);
    EXPECT_LT(somaY / n, 81.5 - 5);
    EXPECT_GT(img.pixelColor(81, 35).alpha(), 150);   // near the tip
    EXPECT_EQ(img.pixelColor(81, 140).alpha(), 0);     // nothing far below the pivot
    EXPECT_EQ(img.pixelColor(20, 81).alpha(), 0);      // nor to the sides
}

}  // namespace
