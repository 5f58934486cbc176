#pragma once
// Read-only INI files, with the matching rules files written for the
// original program rely on:
// - section and key names match without regard to letter case (ASCII and
//   the Windows-1252 letters);
// - blanks (spaces and tabs) around names and values are dropped;
// - one pair of quotation marks (" or ') enclosing a whole value is removed;
// - lines end with CR LF, LF or CR; a line whose first non-blank character
//   is ';' is a comment; lines without '=' inside a section are ignored;
// - of repeated sections or keys, the first one in the file wins.
// Texts are kept as the file's bytes (Windows-1252).

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace platform::ini {

// The name matching used above: equal up to letter case (ASCII and the
// Windows-1252 letters).
bool sameText(const std::string& a, const std::string& b);

class IniFile {
public:
    // Reads the whole file now. A missing or unreadable file reads as an
    // empty one: every lookup then gives its default.
    explicit IniFile(const std::filesystem::path& path);

    // Builds the reader from the file's contents (for callers that hold them).
    static IniFile fromText(const std::string& text);

    // The value of `key` in `section`, or `defaultValue` when the file has no
    // such section or key. A key present with an empty value gives "".
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;

    bool sectionExists(const std::string& section) const;

private:
    IniFile() = default;
    void parse(const std::string& text);

    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;  // key, value
    };
    std::vector<Section> sections_;
};

}  // namespace platform::ini
