#pragma once
// A shared library loaded at run time (dlopen), released when the object goes.

#include <filesystem>
#include <string>

namespace platform::dynlib {

// The file name the platform gives a library called `name`:
// "MxMidi32" -> "libMxMidi32.so".
std::string libraryFileName(const std::string& name);

class DynamicLibrary {
public:
    DynamicLibrary() = default;  // nothing loaded
    // Loads the library at `path` with every symbol bound at once. When it
    // cannot be loaded, loaded() is false and errorText() says why; nothing
    // is thrown.
    explicit DynamicLibrary(const std::filesystem::path& path);
    ~DynamicLibrary();

    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool loaded() const noexcept { return handle_ != nullptr; }

    // Address of the exported symbol `name`, or nullptr when the library
    // lacks it or nothing is loaded.
    void* symbol(const char* name) const noexcept;

    // Typed form of symbol() for functions.
    template <typename Function>
    Function function(const char* name) const noexcept {
        return reinterpret_cast<Function>(symbol(name));
    }

    // Releases the library; safe to call when nothing is loaded.
    void release() noexcept;

    // The loader's explanation of the last failed load.
    const std::string& errorText() const noexcept { return error_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

}  // namespace platform::dynlib
