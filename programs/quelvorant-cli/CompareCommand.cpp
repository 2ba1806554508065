#include "quelvorant-cli/CompareCommand.h"

#include "platform/InertText.h"
#include "results/BenchJson.h"
#include "results/BenchSummary.h"
#include "results/PassCauses.h"
#include "run/MannWhitney.h"

#include <cstdio>
#include <functional>
#include <iostream>
#include <optional>

namespace {

constexpr double kSignificance = 0.01;

// One figure of a result file and the pass times behind it.
struct Figure {
    const char* title;
    std::function<std::optional<double>(const BenchReport&)> value;
    std::function<std::vector<double>(const BenchReport&)> samples;
};

std::vector<double> copiesTimes(const BenchReport& report) {
    std::vector<double> times;
    for (const CopiesRecord& copies : report.CopiesRuns) {
        const auto some = PassTimesOf(copies.Copies, &RunRecord::CompressionTimes);
        const auto more = PassTimesOf(copies.Copies, &RunRecord::DecompressionTimes);
        times.insert(times.end(), some.begin(), some.end());
        times.insert(times.end(), more.begin(), more.end());
    }
    return times;
}

std::vector<double> allPasses(const BenchReport& report) {
    auto times = PassTimesOf(report.Runs, &RunRecord::CompressionTimes);
    const auto more = PassTimesOf(report.Runs, &RunRecord::DecompressionTimes);
    times.insert(times.end(), more.begin(), more.end());
    return times;
}

const Figure kFigures[] = {
    {"Median Time Summa (s), lower is faster",
     [](const BenchReport& r) { return std::optional<double>(r.Summary.MedianTimeSumma); },
     allPasses},
    {"Compression (MB/s, median pass), higher is faster",
     [](const BenchReport& r) { return std::optional<double>(r.Summary.CompressMBps); },
     [](const BenchReport& r) { return PassTimesOf(r.Runs, &RunRecord::CompressionTimes); }},
    {"Decompression (MB/s, median pass), higher is faster",
     [](const BenchReport& r) { return std::optional<double>(r.Summary.DecompressMBps); },
     [](const BenchReport& r) { return PassTimesOf(r.Runs, &RunRecord::DecompressionTimes); }},
    {"Multi-core passes per second, higher is faster",
     [](const BenchReport& r) {
         return r.MultiCore ? std::optional<double>(r.MultiCore->PassesPerSecond) : std::nullopt;
     },
     copiesTimes},
};

// "vm, x86_64, AMD EPYC": which machine a result file was made on.
std::string machineOf(const nlohmann::json& info) {
    const auto text = [&info](std::initializer_list<const char*> path) -> std::string {
        const nlohmann::json* node = &info;
        for (const char* key : path) {
            if (!node->is_object() || !node->contains(key)) {
                return "?";
            }
            node = &(*node)[key];
        }
        return node->is_string() ? InertText(node->get<std::string>()) : "?";
    };
    return text({"machine_name"}) + ", " + text({"processor", "architecture"}) + ", " +
           text({"processor", "brand"});
}

std::string label(std::size_t index) {
    return std::string(1, static_cast<char>('A' + index % 26)) +
           (index >= 26 ? std::to_string(index / 26) : "");
}

// What the runs of a result lost, in the words bench's own results use, so
// that a difference between files comes with what may have caused it.
std::string lostText(const BenchReport& report) {
    std::string text;
    bool read = false;
    for (std::size_t i = 0; i < report.Runs.size(); ++i) {
        if (report.Runs[i].Readings.empty()) {
            continue;
        }
        read = true;
        const std::string biggest = BiggestShareText(ExplainRun(report.Runs[i]).Shares);
        if (!biggest.empty()) {
            text += (text.empty() ? "run " : "; run ") + std::to_string(i + 1) + " " + biggest;
        }
    }
    if (!read) {
        return "no pass readings in this file";
    }
    return text.empty() ? "no run lost over 3 % to waiting, stolen time or a low clock" : text;
}

} // namespace

int RunCompare(const std::vector<std::string>& paths) {
    std::vector<BenchFile> files;
    for (const std::string& path : paths) {
        files.push_back(ReadBenchFile(path));
    }
    const BenchFile& first = files.front();
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (files[i].Report.TestInput.Sha256 != first.Report.TestInput.Sha256) {
            std::cerr << "quelvorant-cli: note: " << files[i].Path
                      << " used another test input than " << first.Path
                      << ": their figures do not compare\n";
        }
    }
    std::printf("Results\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::printf("  %-2s  %s  (%s)\n", label(i).c_str(), files[i].Path.c_str(),
                    machineOf(files[i].Info).c_str());
    }
    std::printf("\n");
    for (const Figure& figure : kFigures) {
        const auto base = figure.value(first.Report);
        std::size_t present = 0;
        for (const BenchFile& file : files) {
            present += figure.value(file.Report) ? 1 : 0;
        }
        if (present < 2) {
            continue;
        }
        std::printf("%s\n      %12s  %10s  %s\n", figure.title, "value", "vs A", "significant");
        for (std::size_t i = 0; i < files.size(); ++i) {
            const auto value = figure.value(files[i].Report);
            std::printf("  %-2s  ", label(i).c_str());
            if (!value) {
                std::printf("%12s  %10s  %-17s  %s\n", "-", "", "", files[i].Path.c_str());
                continue;
            }
            std::printf("%12.4f  ", *value);
            if (i == 0 || !base || *base == 0.0) {
                std::printf("%10s  %-17s  %s\n", "", "", files[i].Path.c_str());
                continue;
            }
            const std::vector<double> samples = figure.samples(files[i].Report);
            const std::vector<double> baseSamples = figure.samples(first.Report);
            char verdict[32] = "no pass times";
            // Without pass times on both sides there is nothing to test.
            if (!samples.empty() && !baseSamples.empty()) {
                const MannWhitneyResult test = MannWhitneyU(samples, baseSamples);
                std::snprintf(verdict, sizeof verdict, "%s (p = %.2g)",
                              test.P < kSignificance ? "yes" : "no", test.P);
            }
            std::printf("%+9.2f%%  %-17s  %s\n", 100.0 * (*value - *base) / *base, verdict,
                        files[i].Path.c_str());
        }
        std::printf("\n");
    }
    std::printf("What the runs lost\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::printf("  %-2s  %s\n", label(i).c_str(), lostText(files[i].Report).c_str());
    }
    return 0;
}
