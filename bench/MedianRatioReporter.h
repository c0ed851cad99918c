#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, followed by a table that sets the median time of each of the program's
// operations beside the median of a baseline doing the same work, with their ratio.
class MedianRatioReporter : public benchmark::ConsoleReporter {
public:
    struct Pair {
        std::string label;
        std::string ours; // benchmark names as registered
        std::string baseline;
        double goal; // the highest ratio we aim for; 0 for none
    };

    explicit MedianRatioReporter(std::vector<Pair> pairs);

    // Google Benchmark's initialisation, with the benchmarks run in random turns: the two sides
    // of each pair then share any busy moment of the machine.
    static void InitializeInterleaved(int argc, char** argv);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<Pair> m_pairs;
    struct Median {
        double wallMicroseconds;
        double cpuMicroseconds;
    };
    std::map<std::string, Median> m_medians;
};
