#include "platform/files/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/quindral-files-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

void touch(const fs::path& p) { std::ofstream(p) << "x"; }

TEST(Files, ListingByPatternSkipsDirectoriesAndHiddenFiles) {
    TempDir dir;
    touch(dir.path / "English.idm");
    touch(dir.path / "Portugues.idm");
    touch(dir.path / ".hidden.idm");
    touch(dir.path / "English.dat");
    touch(dir.path / "upper.IDM");
    fs::create_directory(dir.path / "folder.idm");

    auto names = platform::files::listFiles(dir.path, "*.idm");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"English.idm", "Portugues.idm"}));
    EXPECT_TRUE(platform::files::listFiles(dir.path / "missing", "*").empty());
}

TEST(Files, FileExistsOnlyForPlainFiles) {
    TempDir dir;
    touch(dir.path / "help.html");
    EXPECT_TRUE(platform::files::fileExists(dir.path / "help.html"));
    EXPECT_FALSE(platform::files::fileExists(dir.path));
    EXPECT_FALSE(platform::files::fileExists(dir.path / "none"));
}

TEST(Files, ExecutableDirectoryEndsWithSeparatorAndCanBeOverridden) {
    const auto real = platform::files::executableDirectory();
    EXPECT_EQ(real.back(), '/');
    EXPECT_TRUE(fs::exists(platform::files::executablePath()));
    {
        platform::files::ExecutablePathOverride o("/opt/tuner/quindral");
        EXPECT_EQ(platform::files::executableDirectory(), "/opt/tuner/");
    }
    EXPECT_EQ(platform::files::executableDirectory(), real);
}

}  // namespace
