#pragma once
// The program's version text, the FileVersion of the version block that
// the executable file carries ("2.0.3.0" for this program), in the block's
// first translation. "" whenever anything is missing or fails: no block,
// no translation table, no FileVersion for that translation; never raises.

#include <filesystem>
#include <string>

// Of the running executable.
std::string obterVersaoPrograma();

// Of the executable file at `executavel`.
std::string obterVersaoPrograma(const std::filesystem::path& executavel);
