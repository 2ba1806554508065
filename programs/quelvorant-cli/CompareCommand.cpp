#include "quelvorant-cli/CompareCommand.h"

#include "platform/InertText.h"
#include "results/BenchJson.h"
#include "results/BenchSummary.h"
#include "results/PassCauses.h"
#include "run/MannWhitney.h"

#include <algorithm>
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

// One file's line in a figure's table.
struct FigureRow {
    std::string Label;
    std::string Path;
    std::optional<double> Value;
    // Against the first file: "+1.23%" and "yes (p = 0.0004)"; empty for
    // the first file and where there is nothing to compare.
    std::string Change;
    std::string Verdict;
};

std::vector<FigureRow> figureRows(const Figure& figure, const std::vector<BenchFile>& files) {
    const BenchFile& first = files.front();
    const auto base = figure.value(first.Report);
    std::vector<FigureRow> rows;
    for (std::size_t i = 0; i < files.size(); ++i) {
        FigureRow row{label(i), files[i].Path, figure.value(files[i].Report), "", ""};
        if (row.Value && i > 0 && base && *base != 0.0) {
            char change[32];
            std::snprintf(change, sizeof change, "%+.2f%%", 100.0 * (*row.Value - *base) / *base);
            row.Change = change;
            const std::vector<double> samples = figure.samples(files[i].Report);
            const std::vector<double> baseSamples = figure.samples(first.Report);
            char verdict[32] = "no pass times";
            // Without pass times on both sides there is nothing to test.
            if (!samples.empty() && !baseSamples.empty()) {
                const MannWhitneyResult test = MannWhitneyU(samples, baseSamples);
                std::snprintf(verdict, sizeof verdict, "%s (p = %.2g)",
                              test.P < kSignificance ? "yes" : "no", test.P);
            }
            row.Verdict = verdict;
        }
        rows.push_back(row);
    }
    return rows;
}

void printText(const char* title, const std::vector<FigureRow>& rows) {
    std::printf("%s\n      %12s  %10s  %s\n", title, "value", "vs A", "significant");
    for (const FigureRow& row : rows) {
        if (row.Value) {
            std::printf("  %-2s  %12.4f  %10s  %-17s  %s\n", row.Label.c_str(), *row.Value,
                        row.Change.c_str(), row.Verdict.c_str(), row.Path.c_str());
        } else {
            std::printf("  %-2s  %12s  %10s  %-17s  %s\n", row.Label.c_str(), "-", "", "",
                        row.Path.c_str());
        }
    }
    std::printf("\n");
}

// A cell of a Markdown table: its pipes escaped, so that a path stays one cell.
std::string markdownCell(const std::string& text) {
    std::string cell;
    for (const char c : text) {
        cell += c == '|' ? std::string("\\|") : std::string(1, c);
    }
    return cell;
}

void printMarkdown(const char* title, const std::vector<FigureRow>& rows) {
    std::printf(
        "**%s**\n\n| | value | vs A | significant | file |\n| --- | ---: | ---: | --- | --- "
        "|\n",
        title);
    for (const FigureRow& row : rows) {
        char value[32] = "-";
        if (row.Value) {
            std::snprintf(value, sizeof value, "%.4f", *row.Value);
        }
        std::printf("| %s | %s | %s | %s | %s |\n", row.Label.c_str(), value, row.Change.c_str(),
                    row.Verdict.c_str(), markdownCell(row.Path).c_str());
    }
    std::printf("\n");
}

} // namespace

int RunCompare(const std::vector<std::string>& paths, bool markdown) {
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
    if (markdown) {
        std::printf("| | result | machine |\n| --- | --- | --- |\n");
    } else {
        std::printf("Results\n");
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (markdown) {
            std::printf("| %s | %s | %s |\n", label(i).c_str(), markdownCell(files[i].Path).c_str(),
                        markdownCell(machineOf(files[i].Info)).c_str());
        } else {
            std::printf("  %-2s  %s  (%s)\n", label(i).c_str(), files[i].Path.c_str(),
                        machineOf(files[i].Info).c_str());
        }
    }
    std::printf("\n");
    for (const Figure& figure : kFigures) {
        const std::vector<FigureRow> rows = figureRows(figure, files);
        const auto present =
            std::count_if(rows.begin(), rows.end(), [](const FigureRow& row) { return row.Value; });
        if (present < 2) {
            continue;
        }
        (markdown ? printMarkdown : printText)(figure.title, rows);
    }
    std::printf(markdown ? "**What the runs lost**\n\n" : "What the runs lost\n");
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string lost = lostText(files[i].Report);
        if (markdown) {
            std::printf("- %s: %s\n", label(i).c_str(), lost.c_str());
        } else {
            std::printf("  %-2s  %s\n", label(i).c_str(), lost.c_str());
        }
    }
    return 0;
}
