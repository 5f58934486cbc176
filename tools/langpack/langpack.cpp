// Builds one language file (<stem>.idm, Windows-1252, CR LF) and its
// picture file (<stem>.dat) from UTF-8 fragments, taken in the order given.
//
//   langpack --art <folder> --out <folder> --stem <stem> fragment.txt...
//
// Fragment lines are copied as they are, with three exceptions:
// - a line whose first non-blank characters are "//" is a source comment
//   and is dropped;
// - a key line whose value starts with "@" names a picture:
//       key=@<file>[:<width>x<height>][:<text>]
//   <file> is a JPEG (copied as it is) or an SVG (rendered at the size
//   given, or its own size) under the art folder; in an SVG, every "{texto}"
//   is replaced by <text> first, "{largura}" and "{altura}" by the size and
//   "{meioX}" and "{meioY}" by its centre,
//   so one drawing serves buttons of different captions and sizes. The value becomes "offset,length" into the picture
//   file; the same reference twice is stored once;
// - a value starting with "@@" stands for a literal "@".
// Everywhere, "{emailSuporte}" becomes the support address the program's
// own messages quote.
// The result must describe itself as a usable language (nomeIdioma not
// empty, codAplicacao "Quindral 2.0"); any problem stops the build with a
// message naming the fragment and line.

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "i18n/suporte.h"
#include "platform/core/cp1252.h"
#include "platform/ini/ini_file.h"
#include "platform/jpeg/jpeg.h"

namespace fs = std::filesystem;

namespace {

struct Falha : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string lerTudo(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) throw Falha("cannot read " + p.string());
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void gravarTudo(const fs::path& p, const std::string& dados) {
    const fs::path tmp = p.string() + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(dados.data(), static_cast<std::streamsize>(dados.size()));
        if (!out.flush()) throw Falha("cannot write " + tmp.string());
    }
    fs::rename(tmp, p);
}

std::vector<std::string> partes(const std::string& s, char sep) {
    std::vector<std::string> r;
    std::size_t ini = 0;
    for (;;) {
        const auto p = s.find(sep, ini);
        r.push_back(s.substr(ini, p == std::string::npos ? std::string::npos : p - ini));
        if (p == std::string::npos) return r;
        ini = p + 1;
    }
}

void substituir(std::string& s, const std::string& de, const std::string& para) {
    for (std::size_t p = 0; (p = s.find(de, p)) != std::string::npos; p += para.size()) s.replace(p, de.size(), para);
}

std::string escaparXml(const std::string& s) {
    std::string r;
    for (char c : s) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += c;
        }
    }
    return r;
}

std::vector<std::uint8_t> renderizarSvg(const fs::path& arquivo, int largura, int altura, const std::string& texto) {
    std::string svg = lerTudo(arquivo);
    if (largura <= 0 || altura <= 0) {
        const QSvgRenderer proprio(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
        largura = proprio.defaultSize().width();
        altura = proprio.defaultSize().height();
    }
    substituir(svg, "{texto}", escaparXml(texto));
    substituir(svg, "{largura}", std::to_string(largura));
    substituir(svg, "{altura}", std::to_string(altura));
    substituir(svg, "{meioX}", std::to_string(largura / 2.0));
    substituir(svg, "{meioY}", std::to_string(altura / 2.0));
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    if (!renderer.isValid() || largura <= 0 || altura <= 0)
        throw Falha("not a valid SVG drawing: " + arquivo.string());
    QImage imagem(largura, altura, QImage::Format_RGB888);
    imagem.fill(Qt::white);  // JPEG has no transparency
    {
        QPainter painter(&imagem);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(0, 0, largura, altura));
    }
    platform::Picture p{largura, altura, {}};
    p.rgb.resize(static_cast<std::size_t>(largura) * altura * 3);
    for (int y = 0; y < altura; ++y)
        std::copy_n(imagem.constScanLine(y), largura * 3, p.rgb.begin() + static_cast<std::ptrdiff_t>(y) * largura * 3);
    return platform::jpeg::encode(p, 92);
}

class Pacote {
public:
    explicit Pacote(fs::path arte) : arte_(std::move(arte)) {}

    // The "offset,length" of the picture a reference names.
    std::string referencia(const std::string& ref) {
        if (auto it = guardadas_.find(ref); it != guardadas_.end()) return it->second;
        const auto campos = partes(ref, ':');
        const fs::path arquivo = arte_ / campos[0];
        int largura = 0, altura = 0;
        std::string texto;
        if (campos.size() > 1 && !campos[1].empty()) {
            if (std::sscanf(campos[1].c_str(), "%dx%d", &largura, &altura) != 2 || largura <= 0 || altura <= 0)
                throw Falha("bad picture size '" + campos[1] + "'");
        }
        if (campos.size() > 2) texto = ref.substr(campos[0].size() + campos[1].size() + 2);

        std::vector<std::uint8_t> jpeg;
        const std::string ext = arquivo.extension().string();
        if (ext == ".svg") {
            jpeg = renderizarSvg(arquivo, largura, altura, texto);
        } else if (ext == ".jpg" || ext == ".jpeg") {
            const std::string bytes = lerTudo(arquivo);
            jpeg.assign(bytes.begin(), bytes.end());
        } else {
            throw Falha("pictures are .svg or .jpg: " + campos[0]);
        }
        const auto conferida = platform::jpeg::decode(jpeg.data(), jpeg.size());
        if (largura > 0 && (conferida.width != largura || conferida.height != altura))
            throw Falha(campos[0] + " is not " + campos[1]);

        const std::string valor = std::to_string(dados_.size()) + "," + std::to_string(jpeg.size());
        dados_.append(jpeg.begin(), jpeg.end());
        guardadas_[ref] = valor;
        return valor;
    }

    const std::string& dados() const { return dados_; }

private:
    fs::path arte_;
    std::string dados_;
    std::map<std::string, std::string> guardadas_;
};

std::string converterLinha(std::string utf8) {
    substituir(utf8, "{emailSuporte}", kEmailSuporte);
    const std::string cp = platform::utf8ToCp1252(utf8);
    if (platform::cp1252ToUtf8(cp) != utf8) throw Falha("a character has no Windows-1252 form");
    return cp;
}

std::string linhaDoFragmento(std::string linha, Pacote& pacote) {
    if (!linha.empty() && linha.back() == '\r') linha.pop_back();
    const auto primeiro = linha.find_first_not_of(" \t");
    if (primeiro != std::string::npos && linha.compare(primeiro, 2, "//") == 0) return {};
    const auto igual = linha.find('=');
    if (primeiro != std::string::npos && linha[primeiro] != '[' && igual != std::string::npos &&
        igual + 1 < linha.size() && linha[igual + 1] == '@') {
        const std::string valor = linha.substr(igual + 1);
        if (valor.compare(0, 2, "@@") == 0) return converterLinha(linha.substr(0, igual + 1) + valor.substr(1)) + "\r\n";
        std::string ref = valor.substr(1);
        while (!ref.empty() && (ref.back() == ' ' || ref.back() == '\t')) ref.pop_back();
        return converterLinha(linha.substr(0, igual + 1)) + pacote.referencia(ref) + "\r\n";
    }
    return converterLinha(linha) + "\r\n";
}

int executar(int argc, char** argv) {
    fs::path arte, saida;
    std::string stem;
    std::vector<fs::path> fragmentos;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--art" && i + 1 < argc) arte = argv[++i];
        else if (a == "--out" && i + 1 < argc) saida = argv[++i];
        else if (a == "--stem" && i + 1 < argc) stem = argv[++i];
        else fragmentos.emplace_back(a);
    }
    if (arte.empty() || saida.empty() || stem.empty() || fragmentos.empty()) {
        std::fprintf(stderr, "usage: langpack --art <folder> --out <folder> --stem <stem> fragment.txt...\n");
        return 2;
    }

    Pacote pacote(arte);
    std::string idm;
    for (const auto& fragmento : fragmentos) {
        const auto linhas = partes(lerTudo(fragmento), '\n');
        for (std::size_t n = 0; n < linhas.size(); ++n) {
            if (n + 1 == linhas.size() && linhas[n].empty()) break;  // text ending in a line end
            try {
                idm += linhaDoFragmento(linhas[n], pacote);
            } catch (const std::exception& e) {
                throw Falha(fragmento.string() + ":" + std::to_string(n + 1) + ": " + e.what());
            }
        }
    }

    const auto ini = platform::ini::IniFile::fromText(idm);
    if (ini.readString("EspecificacaoIdioma", "nomeIdioma", "").empty())
        throw Falha(stem + ": EspecificacaoIdioma/nomeIdioma is missing");
    if (ini.readString("EspecificacaoIdioma", "codAplicacao", "") != "Quindral 2.0")
        throw Falha(stem + ": EspecificacaoIdioma/codAplicacao must be \"Quindral 2.0\"");

    fs::create_directories(saida);
    gravarTudo(saida / (stem + ".dat"), pacote.dados());
    gravarTudo(saida / (stem + ".idm"), idm);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Rendering text needs a font database, hence an application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        return executar(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "langpack: %s\n", e.what());
        return 1;
    }
}
