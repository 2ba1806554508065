#include "results/BenchText.h"

#include "platform/Version.h"
#include "results/PassesMetText.h"
#include "run/NumberText.h"

#include <cstdarg>
#include <cstdio>

namespace {

std::string format(const char* pattern, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(text, sizeof text, pattern, arguments);
    va_end(arguments);
    return text;
}

std::string processorList(const std::vector<int>& cpus) {
    std::string list;
    for (const int cpu : cpus) {
        list += (list.empty() ? "" : ",") + std::to_string(cpu);
    }
    return list;
}

} // namespace

std::string BenchText(const BenchReport& report) {
    const BenchSummary& s = report.Summary;
    std::string text = VersionText() + " bench: " + std::to_string(report.Runs.size()) +
                       (report.Runs.size() == 1 ? " run" : " runs") + " after " +
                       std::to_string(report.Warmup) +
                       (report.Warmup == 1 ? " warm-up run\n" : " warm-up runs\n");
    text += "Test input:     " + report.TestInput.Path + ", " +
            std::to_string(report.TestInput.Bytes) + " bytes, SHA-256 " +
            report.TestInput.Sha256.substr(0, 16) + "...\n";
    if (!report.TestInput.Comparable) {
        text += "                not the program's own test input: the results do not compare "
                "with other machines'\n";
    }
    if (!report.Runs.empty() && report.Runs.front().Cpu >= 0) {
        text += "Processor:      every run pinned to CPU " +
                std::to_string(report.Runs.front().Cpu) + "\n";
    }
    text += "\nrun  Time Summa (s)  score  passes/s  check\n";
    for (std::size_t i = 0; i < report.Runs.size(); ++i) {
        const RunRecord& run = report.Runs[i];
        text += format(
            "%3zu  %14s  %5s  %8.2f  %s\n", i + 1, SignedNumberText(run.TimeSumma).c_str(),
            ScoreText(run.Score).c_str(),
            run.WallSeconds > 0 ? static_cast<double>(run.PassTimes.size()) / run.WallSeconds : 0.0,
            run.Check.Passed ? "passed" : "FAILED");
    }
    text += "\n";
    if (const std::string met = PassesMetText(report.Runs); !met.empty()) {
        text += met + "\n";
    }
    text += format("Time Summa:     %.4f s median, min %.4f, max %.4f, CV %.2f %%\n",
                   s.MedianTimeSumma, s.MinTimeSumma, s.MaxTimeSumma, 100.0 * s.TimeSummaCv);
    text += "Score:          " + ScoreText(s.Score) + " frames (median run; lower is faster)\n";
    text += format("Compression:    %.2f MB/s (median pass)\n", s.CompressMBps);
    text += format("Decompression:  %.2f MB/s (median pass)\n", s.DecompressMBps);
    text += format("Passes:         %.2f per second\n", s.PassesPerSecond);
    if (report.MultiCore) {
        const MultiCoreSummary& m = *report.MultiCore;
        text += format("\nMulti-core:     %d copies at once on processors %s\n", m.Copies,
                       processorList(report.Cpus).c_str());
        text +=
            format("  Passes:        %.2f per second, all copies together\n", m.PassesPerSecond);
        text += format("  Compression:   %.2f MB/s, all copies together\n", m.CompressMBps);
        text += format("  Decompression: %.2f MB/s, all copies together\n", m.DecompressMBps);
        text += format("  Scaling:       %.1f %% of %d times one copy alone\n",
                       100.0 * m.ScalingEfficiency, m.Copies);
    }
    return text;
}
