#pragma once
// Runs a sound file through the tuner's whole measuring path — the recorder
// on the file-backed input device (unpaced, played once), the analyser
// (16380 points requested, 16384 used) and the measuring loop — faster than
// real time, with the loop's clock following the audio's own time:
//
//   - capture at 11025 Hz, 8-bit mono, blocks of 4069 frames; a block that
//     ends at frame F completes at F / 11025 s (the last one may be short);
//   - ticks every 50 ms from 0.05 s, each reading the newest spectrum whose
//     block completed strictly before it, through the first tick after the
//     recording's end (so the final spectrum is read once);
//   - the clock reads tick time since midnight plus `inicioDia` (a fraction
//     of a day, default 0.5: noon, away from the midnight wrap).
//
// Needs a QCoreApplication (the recorder's reports arrive through its event
// loop); runs the loop itself until the file has been played.

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>

struct TrackTick {
    double seconds = 0.0;   // tick time in the audio
    double peak = 0.0;      // Hz, after the tipoSistema shift
    double desired = 0.0;   // degrees
    double needle = 0.0;    // degrees, after the tick
    bool centred = false;   // the centre flag after the tick
    bool tuned = false;     // tuned indication visible after the tick
};

struct TrackResult {
    double finalNeedle = 0.0;
    std::optional<double> tunedAt;  // seconds of the first tuned tick
    long ticks = 0;
    long long frames = 0;           // frames captured from the file
};

// Raised when the file cannot be played (missing, unreadable, not a sound file).
class TrackFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TrackOptions {
    int note = 69;         // MIDI note of the one-string tuning, 0..126
    int tipoSistema = 0;
    double inicioDia = 0.5;
};

// Plays `file` once through the measuring path; `onTick` (may be empty) sees
// every tick in order. Throws TrackFileError, or std::invalid_argument for a
// note outside 0..126.
TrackResult trackFile(const std::filesystem::path& file, const TrackOptions& options,
                      const std::function<void(const TrackTick&)>& onTick);
