#pragma once

#include "preflight/PreflightResult.h"
#include "results/BenchSummary.h"
#include "results/WorkloadRun.h"
#include "run/RunRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Everything a bench command measured and saw, for its text, its JSON and
// the comparison of JSON files.
struct BenchReport {
    struct Input {
        std::string Path;
        std::uint64_t Bytes = 0;
        std::string Sha256;
        // The program's own test input: results compare with other machines'.
        bool Comparable = true;
    };
    struct Environment {
        double OtherLoadPercent = 0.0;
        std::optional<std::string> Governor;
        std::optional<std::uint64_t> ThrottleEvents;
    };

    Input TestInput;
    int Warmup = 0;
    std::vector<RunRecord> Runs;
    // Runs of several copies at once, with the processors they were pinned to.
    std::vector<int> Cpus;
    std::vector<CopiesRecord> CopiesRuns;
    BenchSummary Summary;
    std::optional<MultiCoreSummary> MultiCore;
    Environment Seen;
    // The checks of the machine just before the counted runs; none in files
    // written before they were made.
    std::optional<PreflightResult> Preflight;
    std::vector<std::string> Warnings;
};
