#pragma once
// A private temporary folder, removed with everything in it on destruction.
// Each object gets its own folder, so tests running side by side never share one.

#include <filesystem>
#include <string>

namespace test_support {

class TempDir {
public:
    // `prefix` names the folder for whoever finds it left behind: /tmp/<prefix>-XXXXXX.
    explicit TempDir(const std::string& prefix = "quindral-test");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace test_support
