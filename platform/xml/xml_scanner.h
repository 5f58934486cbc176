#pragma once
// A pull scanner over a whole XML document, on expat. The document is read
// into memory and split into parts up front; scan() then steps through them.
//
// Parts and what they carry:
// - ptStartTag, ptEndTag, ptEmptyTag ("<a/>", not followed by an end tag):
//   name = element name. Attributes are not kept.
// - ptContent: content = the text between two markups with entities and
//   character references replaced, leading/trailing white space removed and
//   every inner run of white space (space, tab, CR, LF) packed to one space;
//   blank texts are not delivered. name = the name of the most recent start,
//   end or empty tag, or processing-instruction target (comments, CDATA, the
//   prolog and the document type leave it unchanged; "" before any).
// - ptCData: content = the raw text of a CDATA section; name as for text.
// - ptComment: content = the comment's text.  ptPI: name = target,
//   content = the instruction's data.  ptXmlProlog: the XML declaration.
//   ptDtdc: the document type declaration, name = its root name.
//
// Encoding. A document beginning with an XML declaration that names UTF-8
// (any letter case) or no encoding is decoded from UTF-8 into Windows-1252,
// characters Windows-1252 lacks, and bytes that are not UTF-8, becoming
// 0xBF. Without a declaration, or
// with any other encoding name, the bytes are taken as they stand. A UTF-8
// byte-order mark is skipped and counts as a declaration naming UTF-8
// unless a declaration names another encoding.
//
// Bad documents are not rejected: the parts before the first fault are
// delivered, the rest are not, and wellFormed() says so. External entities
// are never fetched, entity expansion is bounded (output at most
// maxAmplification times the input once it exceeds 1 MiB) and files
// larger than maxFileSize are not read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::xml {

enum PartType { ptNone, ptXmlProlog, ptComment, ptPI, ptDtdc, ptStartTag, ptEmptyTag, ptEndTag, ptContent, ptCData };

class XmlScanner {
public:
    static constexpr std::uintmax_t maxFileSize = 4u * 1024u * 1024u;  // bytes
    static constexpr float maxAmplification = 8.0f;

    // Reads the whole file (read-only) and splits it into parts. False, with
    // no parts, when the file cannot be read or is larger than maxFileSize.
    bool loadFromFile(const std::filesystem::path& path);
    // Splits `document` (raw bytes) into parts.
    void loadFromBuffer(std::string_view document);

    // Goes back before the first part.
    void startScan() { position_ = -1; }
    // Steps to the next part; false (and ptNone) after the last one.
    bool scan();

    PartType curPartType() const;
    const std::string& curName() const;     // Windows-1252
    const std::string& curContent() const;  // Windows-1252

    // False when the document had a fault (or could not be read); the parts
    // before it are still delivered.
    bool wellFormed() const { return wellFormed_; }
    const std::string& errorText() const { return errorText_; }  // expat's, "" when well formed

    struct Part {
        PartType type = ptNone;
        std::string name;
        std::string content;
    };
    const std::vector<Part>& parts() const { return parts_; }

private:
    std::vector<Part> parts_;
    long position_ = -1;
    bool wellFormed_ = false;
    std::string errorText_;
};

}  // namespace platform::xml
