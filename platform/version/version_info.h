#pragma once
// The executable's own version information, shaped after the file-version
// functions the program was written against. The block is written into the
// executable at link time (quindral_add_version_block in CMake, section
// "quindral_version") and read back from the executable's FILE, so a file
// without the block simply has none.
//
// Sub-blocks:
//   "\VarFileInfo\Translation"            pairs of 16-bit little-endian words,
//                                         language then code page (4 bytes each)
//   "\StringFileInfo\<llllcccc>\<Name>"   NUL-terminated text, e.g.
//                                         "\StringFileInfo\041604e4\FileVersion"
// Names match regardless of letter case.

#include <filesystem>
#include <string>

namespace platform::version {

// Size in bytes of the version block of the ELF file at `path`; 0 when the
// file has none, is not a (little-endian) ELF file, or cannot be read.
unsigned getFileVersionInfoSize(const std::filesystem::path& path);

// Copies the block, at most `size` bytes of it, into `buffer`. False when
// the file has no block or `buffer` is null.
bool getFileVersionInfo(const std::filesystem::path& path, unsigned size, void* buffer);

// Finds `subBlock` in a block filled by getFileVersionInfo. On success
// `value` points into the block and `length` is the value's size: bytes for
// the translation table, characters including the terminating NUL for texts.
bool verQueryValue(const void* block, const std::string& subBlock, const void** value, unsigned* length);

}  // namespace platform::version
