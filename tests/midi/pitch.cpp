#include "pitch.h"

#include <algorithm>
#include <cmath>

namespace midi_test {

double estimateFundamental(const std::vector<float>& x, double rate, double minHz, double maxHz) {
    const std::size_t minLag = static_cast<std::size_t>(rate / maxHz);
    const std::size_t maxLag = static_cast<std::size_t>(rate / minHz) + 1;
    if (minLag < 2 || x.size() < 2 * maxLag) return 0;
    const std::size_t window = x.size() - maxLag - 1;

    std::vector<double> cmnd(maxLag + 2, 1.0);
    double running = 0;
    for (std::size_t lag = 1; lag <= maxLag + 1; ++lag) {
        double d = 0;
        for (std::size_t j = 0; j < window; ++j) {
            const double diff = double(x[j]) - x[j + lag];
            d += diff * diff;
        }
        running += d;
        cmnd[lag] = running > 0 ? d * lag / running : 1.0;
    }

    // The first dip under the threshold is the period; later dips are its
    // multiples.
    std::size_t best = 0;
    for (std::size_t lag = minLag; lag <= maxLag; ++lag) {
        if (cmnd[lag] < 0.15) {
            while (lag + 1 <= maxLag && cmnd[lag + 1] < cmnd[lag]) ++lag;
            best = lag;
            break;
        }
    }
    if (best == 0) {
        best = std::min_element(cmnd.begin() + minLag, cmnd.begin() + maxLag + 1) - cmnd.begin();
        if (cmnd[best] > 0.5) return 0;
    }
    const double a = cmnd[best - 1], b = cmnd[best], c = cmnd[best + 1];
    const double denom = a - 2 * b + c;
    const double shift = denom != 0 ? 0.5 * (a - c) / denom : 0;
    return rate / (best + shift);
}

double peak(const std::vector<float>& x, std::size_t from, std::size_t to) {
    to = std::min(to, x.size());
    double p = 0;
    for (std::size_t i = from; i < to; ++i) p = std::max(p, double(std::fabs(x[i])));
    return p;
}

std::size_t endOfSound(const std::vector<float>& x, float level) {
    for (std::size_t i = x.size(); i > 0; --i)
        if (std::fabs(x[i - 1]) > level) return i;
    return 0;
}

std::size_t startOfSound(const std::vector<float>& x, float level) {
    for (std::size_t i = 0; i < x.size(); ++i)
        if (std::fabs(x[i]) > level) return i;
    return x.size();
}

}  // namespace midi_test
