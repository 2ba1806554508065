#pragma once

#include "platform/PassReading.h"
#include "run/OutputCheck.h"
#include "run/PassCounts.h"

#include <string>
#include <vector>

// What is kept of one benchmark run: its identity, its pass times as the time
// list shows them, the sum and score made from them, and its check.
struct RunRecord {
    // A random UUID, so that runs from many machines can be merged.
    std::string Id;
    // When the run began, UTC, as 2026-12-09T10:15:00Z.
    std::string StartedAt;
    // Seconds, in pass order: 50 compressions, then 51 decompressions when
    // every pass succeeded.
    std::vector<double> PassTimes;
    double TimeSumma = 0.0;
    double Score = 0.0;
    CheckResult Check;
    // What went wrong: failed passes, a changed compressed test file.
    std::vector<std::string> Errors;
    // The processor the run was pinned to, or -1.
    int Cpu = -1;
    // The whole run in seconds, from its start to its end.
    double WallSeconds = 0.0;
    // What each timed pass met, in pass order beside PassTimes; empty for a
    // run kept before passes were watched.
    std::vector<PassReading> Readings;
    PassReadingSources ReadingSources;

    // Every pass recorded its time and the output passed its check.
    bool Succeeded() const {
        return Errors.empty() && Check.Passed && PassTimes.size() == PassCounts::kAll;
    }
    std::vector<double> CompressionTimes() const;
    std::vector<double> DecompressionTimes() const;

    static std::string NewId();
    static std::string Now();
};
