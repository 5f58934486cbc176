// quindral-track FILE NOTE [--tipo-sistema N]: what the tuner's needle does
// while FILE is played to it, tick by tick, with NOTE as the one string.
// Exit 0 after a full run; 2 with a one-line message for bad arguments, a
// note outside 0..126 or a file that cannot be played.

#include "tools/track/file_tracker.h"

#include <QCoreApplication>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* kUsage = "usage: quindral-track FILE.wav NOTE [--tipo-sistema N]";

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

// Three decimals, with no "-0.000".
std::string fixed3(double value) {
    if (std::fabs(value) < 0.0005) value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "quindral-track: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) return fail(kUsage);
    TrackOptions options;
    const std::optional<int> note = parseInt(argv[2]);
    if (!note) return fail(std::string("'") + argv[2] + "' is not a note number; " + kUsage);
    if (*note < 0 || *note > 126) return fail("note " + std::to_string(*note) + " is outside 0 to 126");
    options.note = *note;
    if (argc == 5) {
        const std::optional<int> tipo = parseInt(argv[4]);
        if (std::string_view(argv[3]) != "--tipo-sistema" || !tipo) return fail(kUsage);
        options.tipoSistema = *tipo;
    }

    QCoreApplication app(argc, argv);
    try {
        const TrackResult result = trackFile(argv[1], options, [](const TrackTick& t) {
            std::printf("t=%s peak=%s desired=%s needle=%s centred=%d tuned=%d\n", fixed3(t.seconds).c_str(),
                        fixed3(t.peak).c_str(), fixed3(t.desired).c_str(), fixed3(t.needle).c_str(),
                        t.centred ? 1 : 0, t.tuned ? 1 : 0);
        });
        std::printf("final needle=%s tuned_at=%s\n", fixed3(result.finalNeedle).c_str(),
                    result.tunedAt ? fixed3(*result.tunedAt).c_str() : "none");
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const TrackFileError& e) {
        return fail(e.what());
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
