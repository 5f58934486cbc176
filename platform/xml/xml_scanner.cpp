#include "platform/xml/xml_scanner.h"

#include <expat.h>

#include <cctype>
#include <fstream>
#include <memory>
#include <system_error>

#include "platform/core/cp1252.h"

namespace platform::xml {

namespace {

struct ParserDeleter {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};
using Parser = std::unique_ptr<XML_ParserStruct, ParserDeleter>;

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Trims and packs white space; "" for a blank text.
std::string normalise(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pendingSpace = false;
    for (const char c : text) {
        if (isXmlSpace(c)) {
            pendingSpace = !out.empty();
            continue;
        }
        if (pendingSpace) out += ' ';
        pendingSpace = false;
        out += c;
    }
    return out;
}

// expat hands out UTF-8. In raw mode every input byte was read as the code
// point of the same value, so those go back to their byte; anything above
// 255 can only come from a character reference and is mapped like any
// other Unicode text.
std::string rawFromExpat(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : 4;
        if (i + length > utf8.size()) length = static_cast<int>(utf8.size() - i);
        if (length == 1) {
            out += static_cast<char>(b);
        } else if (length == 2 && b <= 0xC3) {
            out += static_cast<char>(((b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F));
        } else {
            out += utf8ToCp1252(utf8.substr(i, length));
        }
        i += length;
    }
    return out;
}

// The value of the encoding pseudo-attribute of the declaration at the start
// of `doc`; `declared` tells whether there is a declaration at all.
std::string declaredEncoding(std::string_view doc, bool& declared) {
    declared = doc.size() > 5 && doc.substr(0, 5) == "<?xml" && isXmlSpace(doc[5]);
    if (!declared) return {};
    const std::size_t end = doc.find("?>");
    const std::string_view decl = doc.substr(0, end);
    const std::size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return {};
    std::size_t i = at + 8;
    while (i < decl.size() && isXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || decl[i] != '=') return {};
    ++i;
    while (i < decl.size() && isXmlSpace(decl[i])) ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) return {};
    const char quote = decl[i++];
    const std::size_t close = decl.find(quote, i);
    if (close == std::string_view::npos) return {};
    return std::string(decl.substr(i, close - i));
}

// Length of the well-formed UTF-8 sequence at s[i], or 0.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) return 1;
    std::size_t n;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return 0;
    }
    return n;
}

// A document said to be UTF-8 that is not (typically a Windows-1252 letter
// typed into it) would stop expat at the first such byte and lose every
// tuning after it; such bytes become the inverted question mark instead,
// as characters Windows-1252 lacks do.
std::string repairUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 16);
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) {
            out += "\xC2\xBF";
            ++i;
        } else {
            out.append(s.substr(i, n));
            i += n;
        }
    }
    return out;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8SequenceLength(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

class Splitter {
public:
    Splitter(std::vector<XmlScanner::Part>& parts, std::string_view input, bool utf8)
        : parts_(parts), input_(input), utf8_(utf8) {}

    std::string text(const XML_Char* s) const { return text(std::string_view(s)); }
    std::string text(std::string_view s) const { return utf8_ ? utf8ToCp1252(s) : rawFromExpat(s); }

    void add(PartType type, std::string name, std::string content) {
        parts_.push_back({type, std::move(name), std::move(content)});
    }

    void flushText() {
        if (pending_.empty()) return;
        std::string content = normalise(text(pending_));
        pending_.clear();
        if (!content.empty()) add(ptContent, currentName_, std::move(content));
    }

    static void onStart(void* self, const XML_Char* name, const XML_Char**) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        // An empty-element tag reaches us as a start and an end; only its
        // raw bytes ("/>") tell it apart.
        const XML_Index at = XML_GetCurrentByteIndex(s.parser_);
        const int count = XML_GetCurrentByteCount(s.parser_);
        const bool empty = at >= 0 && count >= 2 && static_cast<std::size_t>(at + count) <= s.input_.size() &&
                           s.input_[at + count - 2] == '/';
        s.emptyStack_.push_back(empty);
        s.currentName_ = s.text(name);
        s.add(empty ? ptEmptyTag : ptStartTag, s.currentName_, {});
    }

    static void onEnd(void* self, const XML_Char* name) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        bool empty = false;
        if (!s.emptyStack_.empty()) {
            empty = s.emptyStack_.back();
            s.emptyStack_.pop_back();
        }
        if (empty) return;
        s.currentName_ = s.text(name);
        s.add(ptEndTag, s.currentName_, {});
    }

    static void onText(void* self, const XML_Char* data, int length) {
        auto& s = *static_cast<Splitter*>(self);
        (s.inCData_ ? s.cdata_ : s.pending_).append(data, static_cast<std::size_t>(length));
    }

    static void onCDataStart(void* self) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        s.inCData_ = true;
        s.cdata_.clear();
    }

    static void onCDataEnd(void* self) {
        auto& s = *static_cast<Splitter*>(self);
        s.inCData_ = false;
        s.add(ptCData, s.currentName_, s.text(s.cdata_));
        s.cdata_.clear();
    }

    static void onComment(void* self, const XML_Char* data) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        s.add(ptComment, {}, s.text(data));
    }

    static void onPI(void* self, const XML_Char* target, const XML_Char* data) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        s.currentName_ = s.text(target);
        s.add(ptPI, s.currentName_, s.text(data));
    }

    static void onDecl(void* self, const XML_Char*, const XML_Char*, int) {
        auto& s = *static_cast<Splitter*>(self);
        s.add(ptXmlProlog, "xml", {});
    }

    static void onDoctype(void* self, const XML_Char* name, const XML_Char*, const XML_Char*, int) {
        auto& s = *static_cast<Splitter*>(self);
        s.flushText();
        s.add(ptDtdc, s.text(name), {});
    }

    XML_Parser parser_ = nullptr;

private:
    std::vector<XmlScanner::Part>& parts_;
    std::string_view input_;
    bool utf8_;
    std::string currentName_;
    std::string pending_;
    std::string cdata_;
    bool inCData_ = false;
    std::vector<bool> emptyStack_;
};

}  // namespace

bool XmlScanner::loadFromFile(const std::filesystem::path& path) {
    parts_.clear();
    position_ = -1;
    wellFormed_ = false;
    errorText_.clear();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > maxFileSize) {
        errorText_ = ec ? ec.message() : "file too large";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errorText_ = "cannot open file";
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    loadFromBuffer(bytes);
    return true;
}

void XmlScanner::loadFromBuffer(std::string_view document) {
    parts_.clear();
    position_ = -1;
    wellFormed_ = false;
    errorText_.clear();

    bool bom = document.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) document.remove_prefix(3);
    bool declared = false;
    const std::string encoding = declaredEncoding(document, declared);
    const bool utf8 = (declared && (encoding.empty() || equalsNoCase(encoding, "UTF-8"))) ||
                      (bom && (!declared || encoding.empty() || equalsNoCase(encoding, "UTF-8")));

    std::string repaired;
    if (utf8 && !isValidUtf8(document)) {
        repaired = repairUtf8(document);
        document = repaired;
    }

    // Forcing the encoding overrides whatever the declaration says; as
    // ISO-8859-1 every byte is the code point of its own value.
    Parser parser(XML_ParserCreate(utf8 ? "UTF-8" : "ISO-8859-1"));
    if (!parser) {
        errorText_ = "out of memory";
        return;
    }
    XML_Parser p = parser.get();
    Splitter splitter(parts_, document, utf8);
    splitter.parser_ = p;
    XML_SetUserData(p, &splitter);
    XML_SetElementHandler(p, &Splitter::onStart, &Splitter::onEnd);
    XML_SetCharacterDataHandler(p, &Splitter::onText);
    XML_SetCdataSectionHandler(p, &Splitter::onCDataStart, &Splitter::onCDataEnd);
    XML_SetCommentHandler(p, &Splitter::onComment);
    XML_SetProcessingInstructionHandler(p, &Splitter::onPI);
    XML_SetXmlDeclHandler(p, &Splitter::onDecl);
    XML_SetStartDoctypeDeclHandler(p, &Splitter::onDoctype);
    // No external entity is ever fetched, and expansion of internal ones is
    // held to a small multiple of the document.
    XML_SetParamEntityParsing(p, XML_PARAM_ENTITY_PARSING_NEVER);
#if XML_MAJOR_VERSION > 2 || (XML_MAJOR_VERSION == 2 && XML_MINOR_VERSION >= 4)
    XML_SetBillionLaughsAttackProtectionMaximumAmplification(p, maxAmplification);
    XML_SetBillionLaughsAttackProtectionActivationThreshold(p, 1024u * 1024u);
#endif

    // expat takes an int length; files are bounded far below that.
    const auto status = XML_Parse(p, document.data(), static_cast<int>(document.size()), XML_TRUE);
    splitter.flushText();
    wellFormed_ = status == XML_STATUS_OK;
    if (!wellFormed_) {
        const char* message = XML_ErrorString(XML_GetErrorCode(p));
        errorText_ = message ? message : "malformed document";
    }
}

bool XmlScanner::scan() {
    if (position_ < static_cast<long>(parts_.size())) ++position_;
    return position_ < static_cast<long>(parts_.size());
}

PartType XmlScanner::curPartType() const {
    return position_ >= 0 && position_ < static_cast<long>(parts_.size()) ? parts_[position_].type : ptNone;
}

const std::string& XmlScanner::curName() const {
    static const std::string none;
    return position_ >= 0 && position_ < static_cast<long>(parts_.size()) ? parts_[position_].name : none;
}

const std::string& XmlScanner::curContent() const {
    static const std::string none;
    return position_ >= 0 && position_ < static_cast<long>(parts_.size()) ? parts_[position_].content : none;
}

}  // namespace platform::xml
