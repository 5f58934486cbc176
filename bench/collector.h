#pragma once
// A console reporter that also keeps each benchmark's time per iteration, so
// a benchmark program can report ratios between benchmarks of the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
            {
                const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
                nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime() * toNs;
                cpuNanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime() * toNs;
            }
        ConsoleReporter::ReportRuns(runs);
    }

    // CPU time per iteration of the first benchmark whose name begins with
    // `prefix` (names carry suffixes such as "/process_time"), or -1.
    double cpuNanosecondsOf(const std::string& prefix) const {
        for (const auto& [name, ns] : cpuNanoseconds)
            if (name.rfind(prefix, 0) == 0) return ns;
        return -1;
    }

    std::map<std::string, double> nanoseconds;     // wall time, by benchmark name
    std::map<std::string, double> cpuNanoseconds;  // CPU time, by benchmark name
};

}  // namespace bench
