#include "tunings/xml_afinacao_parser.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/core/exceptions.h"
#include "tests/tunings/fixture.h"

namespace {

// One entry; an empty text leaves its element out.
std::string entrada(const std::string& instrumento, const std::string& tipo, const std::string& cordas,
                    const std::vector<std::string>& notas) {
    std::string s = "<Afinacao>";
    if (!instrumento.empty()) s += "<instrumento>" + instrumento + "</instrumento>";
    if (!tipo.empty()) s += "<tipoAfinacao>" + tipo + "</tipoAfinacao>";
    if (!cordas.empty()) s += "<numeroCordas>" + cordas + "</numeroCordas>";
    s += "<frequenciasMIDI>";
    for (const auto& n : notas) s += "<nota>" + n + "</nota>";
    return s + "</frequenciasMIDI></Afinacao>\n";
}

std::string documento(const std::string& entradas) { return "<Afinacoes>\n" + entradas + "</Afinacoes>\n"; }

const std::vector<std::string> seis = {"40", "45", "50", "55", "59", "64"};
const std::vector<std::string> quatro = {"28", "33", "38", "43"};

class LeitorTest : public PastaTemporaria {
protected:
    // Descriptions of the records read from `xml`, joined by " | ".
    std::string ler(const std::string& xml) {
        std::string out;
        for (const Afinacao& a : leitor_.lerArquivo(escrever(xml))) {
            if (!out.empty()) out += " | ";
            out += a.obterDescricao();
        }
        return out;
    }
};

TEST_F(LeitorTest, WhichEntriesBecomeRecords) {
    struct Caso {
        const char* nome;
        std::string xml;
        std::string descricoes;
    };
    const std::string antes = entrada("Before", "T", "1", {"69"});
    const std::string depois = entrada("After", "", "1", {"57"});
    const Caso casos[] = {
        {"empty file", "", ""},
        {"no entries", "<Afinacoes><Outra><numeroCordas>1</numeroCordas></Outra></Afinacoes>", ""},
        {"three in file order",
         documento(entrada("Guitar", "Drop D", "6", {"38", "45", "50", "55", "59", "64"}) +
                   entrada("Bass", "", "4", quatro) + entrada("Uke", "GCEA", "4", {"67", "60", "64", "69"})),
         "Guitar (Drop D) - D, A, D, G, B, E | Bass - E, A, D, G | Uke (GCEA) - G, C, E, A"},
        {"five or seven numbers for six, neighbours read, nothing inherited",
         documento(antes + entrada("Five", "T5", "6", {"40", "45", "50", "55", "59"}) + entrada("", "", "4", quatro) +
                   entrada("Seven", "T7", "6", {"40", "45", "50", "55", "59", "64", "69"}) + depois),
         "Before (T) - A |  - E, A, D, G | After - A"},
        {"missing type or instrument", documento(entrada("Bass", "", "4", quatro) + entrada("", "Std", "1", {"40"})),
         "Bass - E, A, D, G |  (Std) - E"},
        {"numbers in CDATA do not count",
         documento("<Afinacao><instrumento>C</instrumento><numeroCordas>1</numeroCordas>"
                   "<frequenciasMIDI><![CDATA[40]]></frequenciasMIDI></Afinacao>" + depois),
         "After - A"},
        {"letter case of element names",
         documento("<afinacao><instrumento>a</instrumento><numeroCordas>1</numeroCordas>"
                   "<frequenciasMIDI><n>40</n></frequenciasMIDI></afinacao>"
                   "<Afinacao><instrumento>b</instrumento><NumeroCordas>1</NumeroCordas>"
                   "<frequenciasMIDI><n>40</n></frequenciasMIDI></Afinacao>" + depois),
         "After - A"},
        {"attributes only",
         documento("<Afinacao instrumento=\"X\" numeroCordas=\"1\"><frequenciasMIDI nota=\"40\"/></Afinacao>"), ""},
        {"empty numbers tag has no effect",
         documento("<Afinacao><numeroCordas>1</numeroCordas><frequenciasMIDI/><nota>40</nota></Afinacao>"), ""},
        {"count zero, negative or missing",
         documento(entrada("Z", "", "0", {}) + entrada("N", "", "-1", {}) + entrada("M", "", "", {"40"}) + depois),
         "After - A"},
        {"notes at the ends of the range", documento(entrada("Ends", "", "2", {"0", "126"})), "Ends - C, F#"},
        {"notes out of range are dropped",
         documento(entrada("High", "", "1", {"127"}) + entrada("Low", "", "1", {"-1"}) + depois), "After - A"},
        {"hexadecimal and signed numbers", documento(entrada("Hex", "", "0x4", {"$1C", "x21", "0X26", "+43"})),
         "Hex - E, A, D, G"},
        {"numbers before the count",
         documento("<Afinacao><instrumento>Early</instrumento><frequenciasMIDI><n>40</n></frequenciasMIDI>"
                   "<numeroCordas>1</numeroCordas></Afinacao>" + depois),
         "After - A"},
        {"a second count after numbers",
         documento("<Afinacao><numeroCordas>2</numeroCordas><frequenciasMIDI><n>40</n></frequenciasMIDI>"
                   "<numeroCordas>1</numeroCordas></Afinacao>" + depois),
         "After - A"},
        {"stray numbers before an entry are not its own",
         documento("<frequenciasMIDI><n>1</n></frequenciasMIDI>" + depois), "After - A"},
        {"a huge count reserves nothing", documento(entrada("Huge", "", "2147483647", {"40"}) + depois), "After - A"},
        {"a non-integer beyond the count is never converted", documento(entrada("Extra", "", "1", {"40", "forty"})), ""},
        {"malformed tail keeps the entries before it",
         documento(antes + depois) + "<Afinacao><instrumento>Cut</instrumento><numeroCordas>1</nu", "Before (T) - A | After - A"},
        {"an entry open at the end is dropped", "<Afinacoes>" + antes + "<Afinacao><numeroCordas>1</numeroCordas>"
         "<frequenciasMIDI><n>40</n></frequenciasMIDI>", "Before (T) - A"},
        {"not XML at all", "instrumento Guitar 6 40 45 50", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(ler(c.xml), c.descricoes) << c.nome;
}

TEST_F(LeitorTest, RecordCarriesNotesNamesAndFrequencies) {
    const auto lista = leitor_.lerArquivo(escrever(documento(entrada("G", "S", "6", seis))));
    ASSERT_EQ(lista.size(), 1u);
    const Afinacao& a = lista[0];
    ASSERT_EQ(a.obterNumeroCordas(), 6);
    EXPECT_EQ(a.obterNotaMIDI(0), 40);
    EXPECT_EQ(a.obterNomeCorda(0), "E");
    EXPECT_NEAR(a.obterFrequencia(0), 82.4069, 1e-4);
    EXPECT_EQ(a.obterNotaMIDI(5), 64);
    EXPECT_EQ(a.obterFrequencia(1), 110.0);
    EXPECT_EQ(leitor_.obterTabelaFrequencias()[69], 440.0);
    EXPECT_EQ(leitor_.obterNomesNotas()[1], "C#");
}

TEST_F(LeitorTest, SpacesAndIndentationAreNotPartOfTheTexts) {
    const std::string xml =
        "<Afinacoes>\n  <Afinacao>\n    <instrumento>\n      Twelve   String\n    </instrumento>\n"
        "    <numeroCordas> 2 </numeroCordas>\n    <frequenciasMIDI>\n      <nota> 40 </nota>\n"
        "      <nota>52</nota>\n    </frequenciasMIDI>\n  </Afinacao>\n</Afinacoes>\n";
    EXPECT_EQ(ler(xml), "Twelve String - E, E");
}

TEST_F(LeitorTest, TextEncodingFollowsTheDeclaration) {
    const std::string corpo = documento(entrada("Viol\xC3\xA3o", "", "1", {"40"}));
    EXPECT_EQ(ler("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + corpo), "Viol\xE3o - E");
    EXPECT_EQ(ler("<?xml version=\"1.0\"?>" + corpo), "Viol\xE3o - E");
    EXPECT_EQ(ler(corpo), "Viol\xC3\xA3o - E");  // no declaration: the bytes as they stand
    EXPECT_EQ(ler(documento(entrada("Viol\xE3o", "", "1", {"40"}))), "Viol\xE3o - E");
}

TEST_F(LeitorTest, NonIntegerTextsRaiseTheConversionError) {
    struct Caso {
        std::string xml;
        std::string mensagem;
    };
    const Caso casos[] = {
        {documento(entrada("A", "", "1", {"40"}) + entrada("B", "", "six", {"40"})), "'six' is not a valid integer value"},
        {documento(entrada("A", "", "2", {"40", "4O"})), "'4O' is not a valid integer value"},
        {documento(entrada("A", "", "1", {"40 45"})), "'40 45' is not a valid integer value"},
        {documento(entrada("A", "", "1", {"0x"})), "'0x' is not a valid integer value"},
    };
    for (const Caso& c : casos) {
        try {
            leitor_.lerArquivo(escrever(c.xml));
            ADD_FAILURE() << "no error for " << c.mensagem;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), c.mensagem);
            EXPECT_STREQ(e.className(), "EConvertError");
        }
    }
}

TEST_F(LeitorTest, MissingFileRaisesFileOpenErrorWithoutMessage) {
    try {
        leitor_.lerArquivo(pasta_ / "Afinacoes.xml");
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.message(), "");
        EXPECT_STREQ(e.className(), "EFOpenError");
    }
    std::filesystem::create_directory(pasta_ / "dir.xml");
    EXPECT_THROW(leitor_.lerArquivo(pasta_ / "dir.xml"), EFOpenError);
}

TEST_F(LeitorTest, EntityBombEndsWithoutTunings) {
    std::string xml = "<!DOCTYPE Afinacoes [<!ENTITY e0 \"GuitarGuitar\">";
    for (int i = 1; i <= 10; ++i) {
        xml += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) xml += "&e" + std::to_string(i - 1) + ";";
        xml += "\">";
    }
    xml += "]>" + documento(entrada("&e10;", "", "1", {"40"}));
    EXPECT_EQ(ler(xml), "");
}

TEST_F(LeitorTest, KeysAreReplacedByTheLanguageTexts) {
    idioma_ = {{"gtr", "Guitar"}, {"std", "Standard"}, {"abc", "Acoustic"}, {"nst", "#gtr 12"},
               {"loo", "x#loo"}, {"pi1", "#pi2"}, {"pi2", "#pi1"}};
    struct Caso {
        const char* texto;
        const char* expandido;
    };
    const Caso casos[] = {
        {"#gtr", "Guitar"},
        {"#abc 12", "Acoustic 12"},
        {"A #gtr, #std!", "A Guitar, Standard!"},
        {"Open G#", "Open G"},      // "#" at the end: an empty key
        {"Open G# x", "Open G"},    // " x" taken as the key, missing
        {"#zzzTail", "Tail"},       // missing key vanishes with its "#"
        {"#nst", "Guitar 12"},      // keys brought in are expanded too
        {"#gt", ""},                // short key at the end
        {"no keys", "no keys"},
        {"", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(leitor_.expandirChaves(c.texto), c.expandido) << c.texto;

    // A key leading back to itself, directly or through another, ends and
    // leaves no key behind.
    const std::string laco = leitor_.expandirChaves("#loo");
    EXPECT_EQ(laco, std::string(XMLAfinacaoParser::maximoExpansoes, 'x'));
    EXPECT_EQ(leitor_.expandirChaves("a#pi1b"), "ab");
}

TEST_F(LeitorTest, ReadingExpandsInstrumentAndTypeOfEveryRecord) {
    idioma_ = {{"gtr", "Guitar"}, {"std", "Standard"}};
    const std::string xml = documento(entrada("#gtr", "#std", "6", seis) + entrada("Bass", "", "4", quatro) +
                                      entrada("#gtr", "Open G#", "1", {"43"}));
    const auto lista = leitor_.lerArquivo(escrever(xml));
    ASSERT_EQ(lista.size(), 3u);
    EXPECT_EQ(lista[0].obterInstrumento(), "Guitar");
    EXPECT_EQ(lista[0].obterTipoAfinacao(), "Standard");
    EXPECT_EQ(lista[1].obterInstrumento(), "Bass");
    EXPECT_EQ(lista[1].obterTipoAfinacao(), "");
    EXPECT_EQ(lista[2].obterDescricao(), "Guitar (Open G) - G");
}

}  // namespace
