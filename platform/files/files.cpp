#include "platform/files/files.h"

#include <dirent.h>
#include <fnmatch.h>

#include <memory>
#include <system_error>

namespace platform::files {
namespace {

std::filesystem::path& overridePath() {
    static std::filesystem::path path;  // empty: no override
    return path;
}

struct DirCloser {
    void operator()(DIR* d) const { closedir(d); }
};

}  // namespace

std::filesystem::path executablePath() {
    if (!overridePath().empty()) return overridePath();
    std::error_code ec;
    auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : p;
}

std::string executableDirectory() {
    std::string dir = executablePath().parent_path().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

bool fileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::vector<std::string> listFiles(const std::filesystem::path& directory, const std::string& pattern) {
    std::vector<std::string> names;
    // readdir keeps the file system's own order; std::filesystem gives no
    // such promise either, but dirent says exactly what it does.
    std::unique_ptr<DIR, DirCloser> dir(opendir(directory.c_str()));
    if (!dir) return names;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name[0] == '.') continue;
        if (fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) != 0) continue;
        if (!fileExists(directory / name)) continue;
        names.push_back(name);
    }
    return names;
}

ExecutablePathOverride::ExecutablePathOverride(std::filesystem::path path)
    : previous_(overridePath()) {
    overridePath() = std::move(path);
}

ExecutablePathOverride::~ExecutablePathOverride() { overridePath() = previous_; }

}  // namespace platform::files
