#pragma once

#include "results/WorkloadRun.h"
#include "run/RunRecord.h"

#include <cstdint>
#include <vector>

// The figures of repeated runs of one copy of the workload.
struct BenchSummary {
    double MedianTimeSumma = 0.0;
    double MinTimeSumma = 0.0;
    double MaxTimeSumma = 0.0;
    // Coefficient of variation of the Time Summas, as a fraction.
    double TimeSummaCv = 0.0;
    // The score of the median run: for an even number of runs, of the lower
    // of the two middle ones.
    double Score = 0.0;
    // Input bytes (10^6 per MB) over the median pass time of each kind.
    double CompressMBps = 0.0;
    double DecompressMBps = 0.0;
    // A run's passes over its wall time, median over the runs.
    double PassesPerSecond = 0.0;
};

BenchSummary Summarize(const std::vector<RunRecord>& runs, std::uint64_t inputBytes);

// The pass times of one kind (RunRecord::CompressionTimes or
// DecompressionTimes) of all these runs, run after run.
using PassKind = std::vector<double> (RunRecord::*)() const;
std::vector<double> PassTimesOf(const std::vector<RunRecord>& runs, PassKind kind);

// The figures of copies of the workload running at once.
struct MultiCoreSummary {
    int Copies = 0;
    // Passes of all copies over the wall time, median over the runs.
    double PassesPerSecond = 0.0;
    // The copies' throughputs added up, median over the runs.
    double CompressMBps = 0.0;
    double DecompressMBps = 0.0;
    // Passes per second of the copies together over Copies times those of
    // one copy alone: 1 when every copy runs as fast as one alone.
    double ScalingEfficiency = 0.0;
};

MultiCoreSummary SummarizeCopies(const std::vector<CopiesRecord>& runs, const BenchSummary& single,
                                 std::uint64_t inputBytes);
