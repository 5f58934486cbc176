#include "platform/version/version_info.h"

#include <elf.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace platform::version {
namespace {

constexpr char kSectionName[] = "quindral_version";
constexpr char kMagic[4] = {'Q', 'V', 'B', '1'};
constexpr size_t kHeaderSize = 12;  // magic, total length, entry count
constexpr size_t kEntryHeaderSize = 8;  // key length (16), reserved (16), value length (32)

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }

struct Range {
    std::uint64_t offset = 0, size = 0;
};

bool readAt(std::ifstream& in, std::uint64_t offset, void* out, std::uint64_t size) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
    return in.good() || (in.eof() && static_cast<std::uint64_t>(in.gcount()) == size);
}

// The version section of an ELF file of one class, found by its name.
template <typename Ehdr, typename Shdr>
std::optional<Range> findSection(std::ifstream& in, std::uint64_t fileSize) {
    Ehdr eh;
    if (!readAt(in, 0, &eh, sizeof eh)) return std::nullopt;
    if (eh.e_shoff == 0 || eh.e_shentsize != sizeof(Shdr)) return std::nullopt;
    auto sectionHeader = [&](std::uint64_t index) -> std::optional<Shdr> {
        Shdr sh;
        const std::uint64_t at = eh.e_shoff + index * sizeof(Shdr);
        if (at + sizeof(Shdr) > fileSize || !readAt(in, at, &sh, sizeof sh)) return std::nullopt;
        return sh;
    };
    // Many sections: the real count and name-table index live in section 0.
    std::uint64_t count = eh.e_shnum;
    std::uint64_t namesIndex = eh.e_shstrndx;
    if (count == 0 || namesIndex == SHN_XINDEX) {
        auto first = sectionHeader(0);
        if (!first) return std::nullopt;
        if (count == 0) count = first->sh_size;
        if (namesIndex == SHN_XINDEX) namesIndex = first->sh_link;
    }
    if (count > 1'000'000 || namesIndex >= count) return std::nullopt;
    auto names = sectionHeader(namesIndex);
    if (!names || names->sh_offset + names->sh_size > fileSize) return std::nullopt;
    std::vector<char> table(names->sh_size + 1, '\0');
    if (!readAt(in, names->sh_offset, table.data(), names->sh_size)) return std::nullopt;

    for (std::uint64_t i = 0; i < count; ++i) {
        auto sh = sectionHeader(i);
        if (!sh) return std::nullopt;
        if (sh->sh_name >= names->sh_size || sh->sh_type == SHT_NOBITS) continue;
        if (std::strcmp(table.data() + sh->sh_name, kSectionName) != 0) continue;
        if (sh->sh_offset + sh->sh_size > fileSize) return std::nullopt;
        return Range{sh->sh_offset, sh->sh_size};
    }
    return std::nullopt;
}

// The block's bytes, trimmed to the length its header gives.
std::optional<std::vector<unsigned char>> readBlock(const std::filesystem::path& path) {
    std::error_code ec;
    const auto fileSize = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    unsigned char ident[EI_NIDENT];
    if (fileSize < EI_NIDENT || !readAt(in, 0, ident, EI_NIDENT)) return std::nullopt;
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0 || ident[EI_DATA] != ELFDATA2LSB) return std::nullopt;
    std::optional<Range> range;
    if (ident[EI_CLASS] == ELFCLASS64)
        range = findSection<Elf64_Ehdr, Elf64_Shdr>(in, fileSize);
    else if (ident[EI_CLASS] == ELFCLASS32)
        range = findSection<Elf32_Ehdr, Elf32_Shdr>(in, fileSize);
    if (!range || range->size < kHeaderSize || range->size > (1u << 20)) return std::nullopt;
    std::vector<unsigned char> bytes(range->size);
    if (!readAt(in, range->offset, bytes.data(), bytes.size())) return std::nullopt;
    if (std::memcmp(bytes.data(), kMagic, 4) != 0) return std::nullopt;
    const std::uint32_t total = le32(bytes.data() + 4);
    if (total < kHeaderSize || total > bytes.size()) return std::nullopt;
    bytes.resize(total);  // what follows is padding
    return bytes;
}

bool sameKey(const unsigned char* key, size_t length, const std::string& wanted) {
    if (length != wanted.size()) return false;
    for (size_t i = 0; i < length; ++i)
        if (std::tolower(key[i]) != std::tolower(static_cast<unsigned char>(wanted[i]))) return false;
    return true;
}

}  // namespace

unsigned getFileVersionInfoSize(const std::filesystem::path& path) {
    auto block = readBlock(path);
    return block ? static_cast<unsigned>(block->size()) : 0;
}

bool getFileVersionInfo(const std::filesystem::path& path, unsigned size, void* buffer) {
    if (!buffer) return false;
    auto block = readBlock(path);
    if (!block) return false;
    const size_t n = std::min<size_t>(size, block->size());
    std::memcpy(buffer, block->data(), n);
    // A short copy says so in its own header, so lookups stay inside it.
    if (n >= 8) {
        auto* out = static_cast<unsigned char*>(buffer);
        const auto length = static_cast<std::uint32_t>(n);
        for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<unsigned char>(length >> (8 * i));
    }
    return n >= kHeaderSize;
}

bool verQueryValue(const void* block, const std::string& subBlock, const void** value, unsigned* length) {
    if (!block || !value || !length) return false;
    const auto* bytes = static_cast<const unsigned char*>(block);
    if (std::memcmp(bytes, kMagic, 4) != 0) return false;
    const std::uint32_t total = le32(bytes + 4);
    const std::uint32_t count = le32(bytes + 8);
    size_t at = kHeaderSize;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + kEntryHeaderSize > total) return false;
        const std::uint16_t keyLength = le16(bytes + at);
        const std::uint32_t valueLength = le32(bytes + at + 4);
        const size_t keyAt = at + kEntryHeaderSize;
        const size_t valueAt = keyAt + keyLength;
        if (valueAt + valueLength > total) return false;
        if (sameKey(bytes + keyAt, keyLength, subBlock)) {
            *value = bytes + valueAt;
            *length = valueLength;
            return true;
        }
        at = (valueAt + valueLength + 3) & ~size_t(3);
    }
    return false;
}

}  // namespace platform::version
