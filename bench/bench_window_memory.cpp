// Resident memory of the running program: the real quindral, started from a
// private copy of the application folder on a virtual X screen (Xvfb), with
// the file-backed wave input playing an in-tune low E, measured after 30 s of
// capture, analysis and needle movement. Skipped when Xvfb cannot start.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/figures.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr int kSegundos = 30;

// An 8-bit mono WAV at 11025 Hz: E2 (82.41 Hz) with its octave.
void escreverWav(const fs::path& caminho, int segundos) {
    const std::uint32_t taxa = 11025, n = taxa * static_cast<std::uint32_t>(segundos);
    std::ofstream f(caminho, std::ios::binary);
    auto u32 = [&](std::uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(36 + n);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(taxa);
    u32(taxa);
    u16(1);
    u16(8);
    f.write("data", 4);
    u32(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / taxa;
        const double v = 70.0 * std::sin(2 * M_PI * 82.4069 * t) + 30.0 * std::sin(2 * M_PI * 164.8138 * t);
        f.put(static_cast<char>(static_cast<int>(std::lround(128.0 + v))));
    }
}

// Runs `argv` with `env` added, in `dir`; gives its process id or -1.
pid_t iniciar(const std::vector<std::string>& argv, const std::vector<std::string>& env, const fs::path& dir) {
    std::vector<std::string> ambiente;
    for (char** e = environ; *e; ++e) ambiente.emplace_back(*e);
    ambiente.insert(ambiente.end(), env.begin(), env.end());
    std::vector<char*> a, e;
    for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    for (const auto& s : ambiente) e.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    e.push_back(nullptr);
    const fs::path antes = fs::current_path();
    fs::current_path(dir);  // the tunings file is read from the working directory
    pid_t pid = -1;
    const int r = posix_spawnp(&pid, a[0], nullptr, nullptr, a.data(), e.data());
    fs::current_path(antes);
    return r == 0 ? pid : -1;
}

void parar(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 50 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

// VmRSS of `pid` in KiB, -1 when it is gone.
long rssKiB(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string linha;
    while (std::getline(f, linha))
        if (linha.rfind("VmRSS:", 0) == 0) return std::stol(linha.substr(6));
    return -1;
}

bool vivo(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

void BM_ProgramRss(benchmark::State& state) {
    char modelo[] = "/tmp/quindral-bench-rss-XXXXXX";
    const fs::path pasta = mkdtemp(modelo);
    const fs::path app = pasta / "app", run = pasta / "run";
    fs::create_directories(run);
    fs::permissions(run, fs::perms::owner_all);  // Qt wants its runtime folder private
    fs::copy(QUINDRAL_APP_DIR, app, fs::copy_options::recursive);
    std::ofstream(app / "quindral.ini", std::ios::binary) << "[geral]\r\nidioma=English\r\n";
    escreverWav(pasta / "e2.wav", 10);

    const int tela = 90 + static_cast<int>(getpid() % 100);
    const std::string display = ":" + std::to_string(tela);
    for (auto _ : state) {
        const pid_t x = iniciar({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, pasta);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        if (x < 0 || !vivo(x)) {
            parar(x);
            state.SkipWithError("Xvfb is not available");
            break;
        }
        const pid_t p = iniciar({(app / "quindral").string()},
                                {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "XDG_RUNTIME_DIR=" + run.string(),
                                 "QUINDRAL_WAVEIN=" + (pasta / "e2.wav").string()},
                                app);
        long kib = -1;
        for (int s = 0; s < kSegundos && p > 0 && vivo(p); ++s) std::this_thread::sleep_for(std::chrono::seconds(1));
        if (p > 0 && vivo(p)) kib = rssKiB(p);
        parar(p);
        parar(x);
        if (kib < 0) {
            state.SkipWithError("the program did not keep running");
            break;
        }
        const double mib = static_cast<double>(kib) / 1024.0;
        state.counters["rss_MiB"] = mib;
        bench::reportFigure("program rss MiB after 30 s", mib, 1);
    }
    fs::remove_all(pasta);
}

BENCHMARK(BM_ProgramRss)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
