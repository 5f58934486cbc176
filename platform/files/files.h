#pragma once
// Files and the program's own location. Paths are native paths, not text.

#include <filesystem>
#include <string>
#include <vector>

namespace platform::files {

// Full path of the running executable (/proc/self/exe).
std::filesystem::path executablePath();

// The executable's directory as text ending in the path separator, the form
// the program appends file names to.
std::string executableDirectory();

bool fileExists(const std::filesystem::path& path);  // a plain file, not a directory

// Names (without directory) of the plain files in `directory` matching
// `pattern` ("*" and "?" wildcards, letter case counts), in the order the
// directory listing gives them; directories and hidden files (names
// beginning with a dot) are left out.
std::vector<std::string> listFiles(const std::filesystem::path& directory, const std::string& pattern);

// For tests: while an object lives, executablePath() answers `path`, so a
// test can give the program a folder of its own.
class ExecutablePathOverride {
public:
    explicit ExecutablePathOverride(std::filesystem::path path);
    ~ExecutablePathOverride();
    ExecutablePathOverride(const ExecutablePathOverride&) = delete;
    ExecutablePathOverride& operator=(const ExecutablePathOverride&) = delete;

private:
    std::filesystem::path previous_;
};

}  // namespace platform::files
