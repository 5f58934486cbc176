#include "platform/xml/xml_scanner.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace {

using platform::xml::XmlScanner;
namespace xml = platform::xml;

// Parts as a compact line: "S:a" start, "M:a" empty, "E:a" end,
// "T:name=text", "D:name=text" (CDATA), "C=text" comment, "P:target", "X" prolog, "Y:name" doctype.
std::string render(XmlScanner& s) {
    std::string out;
    s.startScan();
    while (s.scan()) {
        if (!out.empty()) out += ' ';
        switch (s.curPartType()) {
        case xml::ptStartTag: out += "S:" + s.curName(); break;
        case xml::ptEmptyTag: out += "M:" + s.curName(); break;
        case xml::ptEndTag: out += "E:" + s.curName(); break;
        case xml::ptContent: out += "T:" + s.curName() + "=" + s.curContent(); break;
        case xml::ptCData: out += "D:" + s.curName() + "=" + s.curContent(); break;
        case xml::ptComment: out += "C=" + s.curContent(); break;
        case xml::ptPI: out += "P:" + s.curName(); break;
        case xml::ptXmlProlog: out += "X"; break;
        case xml::ptDtdc: out += "Y:" + s.curName(); break;
        case xml::ptNone: out += "?"; break;
        }
    }
    return out;
}

std::string parts(std::string_view document) {
    XmlScanner s;
    s.loadFromBuffer(document);
    return render(s);
}

TEST(XmlScannerTest, PartsNamesAndTexts) {
    struct Caso {
        const char* documento;
        const char* partes;
    };
    const Caso casos[] = {
        {"<r><a/><b>x</b></r>", "S:r M:a S:b T:b=x E:b E:r"},
        // '/' and '>' inside attribute values do not make a tag empty
        {"<r><a x=\"1/\"></a><b y=\">\" z='/'/></r>", "S:r S:a E:a M:b E:r"},
        {"<r>\n  <a>  one \n\t two  </a>\n  \n</r>", "S:r S:a T:a=one two E:a E:r"},
        {"<r>a &amp; &lt;&#65;&#x42;&quot;&apos;&gt;</r>", "S:r T:r=a & <AB\"'> E:r"},
        // text after an end tag carries that tag's name; comments keep the name, PI targets change it
        {"<r><a/>x<!-- c -->y<?pi data?>z</r>", "S:r M:a T:a=x C= c  T:a=y P:pi T:pi=z E:r"},
        {"<r><![CDATA[ 40 ]]>41</r>", "S:r D:r= 40  T:r=41 E:r"},
        {"<?xml version=\"1.0\"?><!DOCTYPE r><r/>", "X Y:r M:r"},
        // element names keep their letter case
        {"<R><Afinacao/></R>", "S:R M:Afinacao E:R"},
        {"", ""},
        {"   ", ""},
    };
    for (const Caso& c : casos) EXPECT_EQ(parts(c.documento), c.partes) << c.documento;
}

TEST(XmlScannerTest, EncodingFollowsTheDeclaration) {
    struct Caso {
        std::string documento;
        std::string texto;
    };
    // é (in Windows-1252), € (in it at 0x80), Ā (missing from it)
    const std::string utf8Text = "\xC3\xA9\xE2\x82\xAC\xC4\x80Z";
    const Caso casos[] = {
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?><r>" + utf8Text + "</r>", "\xE9\x80\xBFZ"},
        {"<?xml version=\"1.0\" encoding='UTF-8' ?><r>" + utf8Text + "</r>", "\xE9\x80\xBFZ"},
        {"<?xml version=\"1.0\"?><r>" + utf8Text + "</r>", "\xE9\x80\xBFZ"},
        {"\xEF\xBB\xBF<r>" + utf8Text + "</r>", "\xE9\x80\xBFZ"},
        // bytes that are not UTF-8 do not end the document
        {"<?xml version=\"1.0\"?><r>Viol\xE3o<a/>\xED\xA0\x80\xC3</r>", "Viol\xBFo\xBF\xBF\xBF\xBF"},
        // no declaration, or another encoding: the bytes as they stand
        {"<r>" + utf8Text + "</r>", utf8Text},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><r>\xE9\x80</r>", "\xE9\x80"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\xE9</r>", "\xE9"},
        // character references are Unicode in either mode
        {"<r>&#233;&#8364;&#256;</r>", "\xE9\x80\xBF"},
        {"<?xml version=\"1.0\"?><r>&#233;&#8364;&#256;</r>", "\xE9\x80\xBF"},
    };
    for (const Caso& c : casos) {
        XmlScanner s;
        s.loadFromBuffer(c.documento);
        EXPECT_TRUE(s.wellFormed()) << c.documento << ": " << s.errorText();
        std::string texto;
        s.startScan();
        while (s.scan())
            if (s.curPartType() == xml::ptContent) texto += s.curContent();
        EXPECT_EQ(texto, c.texto) << c.documento;
    }
}

TEST(XmlScannerTest, NamesAreDecodedLikeTexts) {
    EXPECT_EQ(parts("<?xml version=\"1.0\"?><r\xC3\xA9/>"), "X M:r\xE9");
    EXPECT_EQ(parts("<r\xE9/>"), "M:r\xE9");
}

TEST(XmlScannerTest, MalformedDocumentDeliversThePartsBeforeTheFault) {
    XmlScanner s;
    s.loadFromBuffer("<r><a>1</a><b>2</b><c>3</");
    EXPECT_FALSE(s.wellFormed());
    EXPECT_FALSE(s.errorText().empty());
    EXPECT_EQ(render(s), "S:r S:a T:a=1 E:a S:b T:b=2 E:b S:c T:c=3");

    EXPECT_EQ(parts("<r><a>1</a></x><b>2</b></r>"), "S:r S:a T:a=1 E:a");
    EXPECT_EQ(parts("not xml at all"), "");
    EXPECT_EQ(parts(std::string("<r>a\0b</r>", 10)), "S:r T:r=a");
}

TEST(XmlScannerTest, ScanStopsAtTheEndAndCanRestart) {
    XmlScanner s;
    s.loadFromBuffer("<r/>");
    EXPECT_EQ(s.curPartType(), xml::ptNone);
    s.startScan();
    ASSERT_TRUE(s.scan());
    EXPECT_EQ(s.curPartType(), xml::ptEmptyTag);
    EXPECT_FALSE(s.scan());
    EXPECT_FALSE(s.scan());
    EXPECT_EQ(s.curPartType(), xml::ptNone);
    EXPECT_EQ(s.curName(), "");
    EXPECT_EQ(render(s), "M:r");
}

TEST(XmlScannerTest, EntityExpansionIsBounded) {
    // Ten levels of ten: 10^10 copies if expanded without bounds.
    std::string doc = "<!DOCTYPE r [<!ENTITY e0 \"laughlaughlaugh\">";
    for (int i = 1; i <= 10; ++i) {
        doc += "<!ENTITY e" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) doc += "&e" + std::to_string(i - 1) + ";";
        doc += "\">";
    }
    doc += "]><r><a>1</a>&e10;</r>";
    XmlScanner s;
    s.loadFromBuffer(doc);
    EXPECT_FALSE(s.wellFormed());
    std::size_t total = 0;
    for (const auto& p : s.parts()) total += p.content.size();
    EXPECT_LT(total, 4u * 1024u * 1024u);
}

TEST(XmlScannerTest, InternalEntitiesExpandExternalOnesAreNotFetched) {
    EXPECT_EQ(parts("<!DOCTYPE r [<!ENTITY g \"Guitar\">]><r>&g; 6</r>"), "Y:r S:r T:r=Guitar 6 E:r");
    const std::string doc = "<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/hostname\">]><r>[&x;]</r>";
    XmlScanner s;
    s.loadFromBuffer(doc);
    EXPECT_EQ(render(s), "Y:r S:r T:r=[] E:r");
}

class XmlScannerFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("xml_scanner_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(XmlScannerFileTest, LoadsAWholeFileAndRefusesMissingOrHugeOnes) {
    const auto small = dir_ / "small.xml";
    std::ofstream(small, std::ios::binary) << "<r><a>\xE9</a></r>";
    XmlScanner s;
    EXPECT_TRUE(s.loadFromFile(small));
    EXPECT_EQ(render(s), "S:r S:a T:a=\xE9 E:a E:r");

    EXPECT_FALSE(s.loadFromFile(dir_ / "missing.xml"));
    EXPECT_EQ(render(s), "");
    EXPECT_FALSE(s.loadFromFile(dir_));  // a directory

    const auto huge = dir_ / "huge.xml";
    std::ofstream(huge, std::ios::binary) << "<r>";
    std::filesystem::resize_file(huge, XmlScanner::maxFileSize + 1);  // sparse: no disk used
    EXPECT_FALSE(s.loadFromFile(huge));
    EXPECT_EQ(render(s), "");
}

}  // namespace
