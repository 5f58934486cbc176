#pragma once
// Benchmarks report their figures as "name: value" lines appended to the file
// named by QUINDRAL_FIGURES (scripts/bench collects them); without it they go
// to standard output.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

inline void reportFigure(const std::string& name, double value, int decimals = 3) {
    const char* path = std::getenv("QUINDRAL_FIGURES");
    FILE* out = path ? std::fopen(path, "a") : stdout;
    if (!out) return;
    std::fprintf(out, "%s: %.*f\n", name.c_str(), decimals, value);
    if (out != stdout) std::fclose(out);
}

}  // namespace bench
