#include "tunings/nota.h"

#include <cmath>

namespace nota {

namespace {
constexpr const char* nomes[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
}

double frequencia(std::int32_t n) {
    return 13.75 * std::pow(2.0, (static_cast<double>(n) - 9.0) / 12.0);
}

const char* nome(std::int32_t n) { return nomes[n % 12]; }

}  // namespace nota
