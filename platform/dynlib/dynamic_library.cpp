#include "platform/dynlib/dynamic_library.h"

#include <dlfcn.h>

#include <utility>

namespace platform::dynlib {

std::string libraryFileName(const std::string& name) {
    return "lib" + name + ".so";
}

DynamicLibrary::DynamicLibrary(const std::filesystem::path& path) {
    // RTLD_LOCAL keeps two libraries with the same entry-point names (a
    // stand-in and the real one) from answering for each other.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = dlerror();
        error_ = why ? why : "unknown error";
    }
}

DynamicLibrary::~DynamicLibrary() { release(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = std::exchange(other.handle_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* DynamicLibrary::symbol(const char* name) const noexcept {
    if (!handle_) return nullptr;
    return dlsym(handle_, name);
}

void DynamicLibrary::release() noexcept {
    if (handle_) dlclose(std::exchange(handle_, nullptr));
}

}  // namespace platform::dynlib
