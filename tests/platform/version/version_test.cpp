// The version block: written at link time, read back from the executable
// file; files without it have none.

#include "platform/files/files.h"
#include "platform/version/version_info.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace platform::version;

std::vector<unsigned char> blockOf(const fs::path& path) {
    const unsigned size = getFileVersionInfoSize(path);
    std::vector<unsigned char> block(size);
    if (size) {
        EXPECT_TRUE(getFileVersionInfo(path, size, block.data()));
    }
    return block;
}

std::string text(const void* block, const std::string& key) {
    const void* value = nullptr;
    unsigned length = 0;
    if (!verQueryValue(block, key, &value, &length)) return "<none>";
    const char* chars = static_cast<const char*>(value);
    EXPECT_EQ(length, std::strlen(chars) + 1);  // characters with the NUL
    return chars;
}

TEST(VersionBlock, TheExecutableReadsItsOwnTranslationAndTexts) {
    const auto block = blockOf(platform::files::executablePath());
    ASSERT_FALSE(block.empty());

    const void* value = nullptr;
    unsigned length = 0;
    ASSERT_TRUE(verQueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    std::uint16_t words[2];
    std::memcpy(words, value, 4);
    EXPECT_EQ(words[0], 0x0416);
    EXPECT_EQ(words[1], 0x04E4);

    EXPECT_EQ(text(block.data(), "\\StringFileInfo\\041604e4\\FileVersion"), "2.0.3.0");
    EXPECT_EQ(text(block.data(), "\\StringFileInfo\\041604E4\\productversion"), "2.0");
    EXPECT_EQ(text(block.data(), "\\StringFileInfo\\041604e4\\CompanyName"), "Zelmora");
    EXPECT_EQ(text(block.data(), "\\StringFileInfo\\040904b0\\FileVersion"), "<none>");
    EXPECT_EQ(text(block.data(), "\\StringFileInfo\\041604e4\\FileVersio"), "<none>");
}

TEST(VersionBlock, ShortBufferKeepsLookupsInsideIt) {
    const fs::path self = platform::files::executablePath();
    const unsigned size = getFileVersionInfoSize(self);
    ASSERT_GT(size, 48u);
    std::vector<unsigned char> part(48, 0xEE);  // header 12 + translation entry 36
    ASSERT_TRUE(getFileVersionInfo(self, 48, part.data()));
    // The translation (the first entry) fits; the texts after it do not.
    const void* value = nullptr;
    unsigned length = 0;
    EXPECT_TRUE(verQueryValue(part.data(), "\\VarFileInfo\\Translation", &value, &length));
    EXPECT_FALSE(verQueryValue(part.data(), "\\StringFileInfo\\041604e4\\ProductVersion", &value, &length));
}

TEST(VersionBlock, FilesWithoutTheBlockHaveNone) {
    test_support::TempDir dir("quindral-version");
    std::ofstream(dir / "text.exe") << "not an executable";
    std::ofstream(dir / "empty");
    // A real ELF header cut short.
    {
        std::ifstream in(platform::files::executablePath(), std::ios::binary);
        std::vector<char> head(200);
        in.read(head.data(), 200);
        std::ofstream(dir / "truncated", std::ios::binary).write(head.data(), 200);
    }
    for (const fs::path& file : {fs::path(PLAIN_PROGRAM), dir / "text.exe", dir / "empty", dir / "truncated",
                                 dir / "missing", dir.path()}) {
        SCOPED_TRACE(file.string());
        EXPECT_EQ(getFileVersionInfoSize(file), 0u);
        unsigned char buffer[64];
        EXPECT_FALSE(getFileVersionInfo(file, sizeof buffer, buffer));
    }
}

}  // namespace
