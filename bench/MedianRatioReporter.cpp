#include "MedianRatioReporter.h"

#include <cstdio>
#include <unistd.h>

MedianRatioReporter::MedianRatioReporter(std::vector<Pair> pairs)
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_None), m_pairs(std::move(pairs)) {}

void MedianRatioReporter::InitializeInterleaved(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
}

void MedianRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        const double toMicroseconds = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        m_medians[run.run_name.function_name] = {run.GetAdjustedRealTime() * toMicroseconds,
                                                 run.GetAdjustedCPUTime() * toMicroseconds};
    }
    ConsoleReporter::ReportRuns(runs);
}

void MedianRatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-36s %22s %22s %14s\n", "medians (wall / cpu)", "program", "baseline", "ratio");
    for (const Pair& pair : m_pairs) {
        const auto ours = m_medians.find(pair.ours);
        const auto baseline = m_medians.find(pair.baseline);
        if (ours == m_medians.end() || baseline == m_medians.end())
            continue;
        const double wallRatio = ours->second.wallMicroseconds / baseline->second.wallMicroseconds;
        const double cpuRatio = ours->second.cpuMicroseconds / baseline->second.cpuMicroseconds;
        std::printf("%-36s %8.1f / %8.1f us %8.1f / %8.1f us %6.3f / %5.3f", pair.label.c_str(),
                    ours->second.wallMicroseconds, ours->second.cpuMicroseconds,
                    baseline->second.wallMicroseconds, baseline->second.cpuMicroseconds, wallRatio,
                    cpuRatio);
        if (pair.goal > 0)
            std::printf("  (goal <= %.2f: %s)", pair.goal,
                        wallRatio <= pair.goal ? "met" : "missed");
        std::printf("\n");
    }
    std::fflush(stdout);
}
