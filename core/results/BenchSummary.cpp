#include "results/BenchSummary.h"

#include "run/Statistics.h"

#include <algorithm>

namespace {

double megabytesPerSecond(std::uint64_t bytes, const std::vector<double>& passTimes) {
    const double median = Statistics::Median(passTimes);
    return median > 0.0 ? static_cast<double>(bytes) / 1e6 / median : 0.0;
}

double passesPerSecond(const RunRecord& run) {
    return run.WallSeconds > 0.0 ? static_cast<double>(run.PassTimes.size()) / run.WallSeconds
                                 : 0.0;
}

} // namespace

std::vector<double> PassTimesOf(const std::vector<RunRecord>& runs, PassKind kind) {
    std::vector<double> times;
    for (const RunRecord& run : runs) {
        const std::vector<double> some = (run.*kind)();
        times.insert(times.end(), some.begin(), some.end());
    }
    return times;
}

BenchSummary Summarize(const std::vector<RunRecord>& runs, std::uint64_t inputBytes) {
    BenchSummary summary;
    if (runs.empty()) {
        return summary;
    }
    std::vector<double> sums;
    std::vector<double> rates;
    for (const RunRecord& run : runs) {
        sums.push_back(run.TimeSumma);
        rates.push_back(passesPerSecond(run));
    }
    const Statistics::Spread spread = Statistics::SpreadOf(sums);
    summary.MedianTimeSumma = spread.Median;
    summary.MinTimeSumma = spread.Min;
    summary.MaxTimeSumma = spread.Max;
    summary.TimeSummaCv = spread.Cv;

    std::vector<const RunRecord*> ordered;
    for (const RunRecord& run : runs) {
        ordered.push_back(&run);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const RunRecord* a, const RunRecord* b) { return a->TimeSumma < b->TimeSumma; });
    summary.Score = ordered[(ordered.size() - 1) / 2]->Score;

    summary.CompressMBps =
        megabytesPerSecond(inputBytes, PassTimesOf(runs, &RunRecord::CompressionTimes));
    summary.DecompressMBps =
        megabytesPerSecond(inputBytes, PassTimesOf(runs, &RunRecord::DecompressionTimes));
    summary.PassesPerSecond = Statistics::Median(rates);
    return summary;
}

MultiCoreSummary SummarizeCopies(const std::vector<CopiesRecord>& runs, const BenchSummary& single,
                                 std::uint64_t inputBytes) {
    MultiCoreSummary summary;
    if (runs.empty()) {
        return summary;
    }
    summary.Copies = static_cast<int>(runs.front().Copies.size());
    std::vector<double> rates;
    std::vector<double> compress;
    std::vector<double> decompress;
    for (const CopiesRecord& run : runs) {
        double passes = 0.0;
        double compressSum = 0.0;
        double decompressSum = 0.0;
        for (const RunRecord& copy : run.Copies) {
            passes += static_cast<double>(copy.PassTimes.size());
            compressSum += megabytesPerSecond(inputBytes, copy.CompressionTimes());
            decompressSum += megabytesPerSecond(inputBytes, copy.DecompressionTimes());
        }
        rates.push_back(run.WallSeconds > 0.0 ? passes / run.WallSeconds : 0.0);
        compress.push_back(compressSum);
        decompress.push_back(decompressSum);
    }
    summary.PassesPerSecond = Statistics::Median(rates);
    summary.CompressMBps = Statistics::Median(compress);
    summary.DecompressMBps = Statistics::Median(decompress);
    if (single.PassesPerSecond > 0.0 && summary.Copies > 0) {
        summary.ScalingEfficiency =
            summary.PassesPerSecond / (summary.Copies * single.PassesPerSecond);
    }
    return summary;
}
