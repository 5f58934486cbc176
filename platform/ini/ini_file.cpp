#include "platform/ini/ini_file.h"

#include <fstream>
#include <iterator>

namespace platform::ini {
namespace {

// Windows-1252 letter case folding: ASCII plus the accented letters.
unsigned char fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
    if (c == 0x9F) return 0xFF;
    return c;
}

std::string trimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

std::string unquote(std::string v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

}  // namespace

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(static_cast<unsigned char>(a[i])) != fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

IniFile::IniFile(const std::filesystem::path& path) {
    // A folder or a device in the file's place reads as no file at all.
    std::string text;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return;
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) return;
    } catch (const std::exception&) {
        return;
    }
    parse(text);
}

IniFile IniFile::fromText(const std::string& text) {
    IniFile file;
    file.parse(text);
    return file;
}

void IniFile::parse(const std::string& text) {
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimBlanks(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') {
            ++pos;
            if (pos < text.size() && text[pos] == '\n') ++pos;
        } else if (pos < text.size()) {
            ++pos;  // LF
        }

        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            const auto close = line.find(']');
            std::string name = trimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            sections_.push_back({std::move(name), {}});
            inSection = true;
            continue;
        }
        const auto eq = line.find('=');
        if (!inSection || eq == std::string::npos) continue;
        sections_.back().entries.emplace_back(trimBlanks(line.substr(0, eq)), unquote(trimBlanks(line.substr(eq + 1))));
    }
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const std::string wantedSection = trimBlanks(section);
    const std::string wantedKey = trimBlanks(key);
    for (const auto& s : sections_) {
        if (!sameText(s.name, wantedSection)) continue;
        for (const auto& [k, v] : s.entries)
            if (sameText(k, wantedKey)) return v;
        return defaultValue;  // only the first section of that name counts
    }
    return defaultValue;
}

bool IniFile::sectionExists(const std::string& section) const {
    const std::string wanted = trimBlanks(section);
    for (const auto& s : sections_)
        if (sameText(s.name, wanted)) return true;
    return false;
}

}  // namespace platform::ini
