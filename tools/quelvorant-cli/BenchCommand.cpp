#include "BenchCommand.h"

#include "BenchJson.h"
#include "BenchText.h"
#include "FileSystem.h"
#include "HistoryEntries.h"
#include "MachineWatch.h"
#include "PrivateWorkFolder.h"
#include "ProgressLine.h"
#include "QuelError.h"
#include "ResultsHistory.h"
#include "Sha256.h"
#include "WorkloadRun.h"

#include <cstdio>
#include <iostream>
#include <sched.h>
#include <unistd.h>

namespace {

// Above this coefficient of variation the runs are called unstable.
constexpr double kUnstableCv = 0.03;

std::string defaultInput() {
    return FileSystem::ApplicationDirectory() + "/Quelvorant.exe";
}

BenchReport::Input describeInput(const std::string& requested) {
    BenchReport::Input input;
    input.Path = requested.empty() ? defaultInput() : requested;
    const auto bytes = FileSystem::ReadAll(input.Path);
    input.Bytes = bytes.size();
    input.Sha256 = Sha256::Of(bytes.data(), bytes.size());
    if (!requested.empty()) {
        // Another file is comparable only when it holds the program's own input.
        try {
            const auto own = FileSystem::ReadAll(defaultInput());
            input.Comparable = Sha256::Of(own.data(), own.size()) == input.Sha256;
        } catch (const QuelError&) {
            input.Comparable = false;
        }
    }
    return input;
}

// A run that did not finish with a checked result ends the command.
void requireSuccess(const RunRecord& run, const std::string& which) {
    if (run.Succeeded()) {
        return;
    }
    std::string what = which + " failed";
    for (const std::string& error : run.Errors) {
        what += "\n  " + error;
    }
    if (run.Errors.empty() && !run.Check.Passed) {
        what += "\n  " + run.Check.Description;
    }
    throw QuelError(QuelError::kOwnError, "bench", what);
}

std::vector<std::string> warningsFor(const BenchReport& report) {
    std::vector<std::string> warnings;
    if (report.Runs.size() < 2 || report.Summary.TimeSummaCv <= kUnstableCv) {
        return warnings;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "the runs spread by %.1f %% (CV), more than %.0f %%: the result is unstable.",
                  100.0 * report.Summary.TimeSummaCv, 100.0 * kUnstableCv);
    warnings.emplace_back(text);
    bool explained = false;
    if (report.Seen.OtherLoadPercent >= 5.0) {
        std::snprintf(text, sizeof text,
                      "other programs used %.0f %% of a processor while the runs were timed.",
                      report.Seen.OtherLoadPercent);
        warnings.emplace_back(text);
        explained = true;
    }
    if (report.Seen.Governor && *report.Seen.Governor != "performance") {
        warnings.push_back("the processors' frequency governor is '" + *report.Seen.Governor +
                           "', not 'performance'.");
        explained = true;
    }
    if (report.Seen.ThrottleEvents && *report.Seen.ThrottleEvents > 0) {
        warnings.push_back("the processors were throttled for heat " +
                           std::to_string(*report.Seen.ThrottleEvents) + " times.");
        explained = true;
    }
    if (!explained) {
        warnings.emplace_back("nothing else was seen on the machine; more runs (--runs) may "
                              "settle it.");
    }
    return warnings;
}

// Keeps every counted run, each in a transaction of its own. A history that
// cannot be used costs the runs their place in it, not the results.
void recordRuns(const BenchReport& report, const nlohmann::json& info, std::ostream& out) {
    try {
        ResultsHistory history;
        const HistoryMachine machine = HistoryMachineOf(info, RunRecord::Now());
        const auto record = [&](const RunRecord& run, int threads) {
            history.Record(machine, HistoryRunOf(run, machine.Id, "cli", report.TestInput.Sha256,
                                                 report.TestInput.Comparable, threads));
        };
        std::size_t recorded = 0;
        for (const RunRecord& run : report.Runs) {
            record(run, 1);
            ++recorded;
        }
        for (const CopiesRecord& copies : report.CopiesRuns) {
            for (const RunRecord& copy : copies.Copies) {
                record(copy, static_cast<int>(copies.Copies.size()));
                ++recorded;
            }
        }
        out << "Recorded " << recorded << " runs in " << history.Path() << ".\n";
    } catch (const QuelError& error) {
        std::cerr << "quelvorant-cli: warning: the runs were not recorded: " << error.Description()
                  << "\n";
    }
}

void writeJson(const std::string& target, const nlohmann::json& document) {
    const std::string text = document.dump(2) + "\n";
    if (target == "-") {
        std::cout << text << std::flush;
        return;
    }
    FileSystem::WriteAll(target, std::vector<std::uint8_t>(text.begin(), text.end()),
                         FileSystem::WriteMode::Durable);
}

} // namespace

std::vector<int> AvailableProcessors() {
    cpu_set_t set;
    CPU_ZERO(&set);
    std::vector<int> cpus;
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
            if (CPU_ISSET(cpu, &set)) {
                cpus.push_back(cpu);
            }
        }
    }
    return cpus;
}

int RunBench(const BenchOptions& options, const std::function<nlohmann::json()>& machineInfo) {
    BenchReport report;
    report.TestInput = describeInput(options.Input);
    report.Warmup = options.Warmup;
    const bool multiCore = options.Threads > 1;
    if (multiCore) {
        const std::vector<int> available = AvailableProcessors();
        report.Cpus.assign(available.begin(), available.begin() + options.Threads);
    }
    const nlohmann::json info =
        options.JsonFile.empty() && options.NoHistory ? nlohmann::json() : machineInfo();

    PrivateWorkFolder work;
    const TestFiles files{report.TestInput.Path, work.Path() + "/QuelTest.HAr",
                          work.Path() + "/QuelTest2.dat"};
    ProgressLine progress(::isatty(STDERR_FILENO) == 1 && !options.Quiet,
                          options.Warmup + options.Runs * (multiCore ? 2 : 1));
    const auto passStarted = [&progress](int pass) { progress.PassStarted(pass); };

    for (int warmup = 1; warmup <= options.Warmup; ++warmup) {
        progress.RunStarted("warm-up " + std::to_string(warmup) + "/" +
                            std::to_string(options.Warmup));
        requireSuccess(RunWorkload(files, passStarted), "the warm-up run");
    }
    MachineWatch watch;
    for (int run = 1; run <= options.Runs; ++run) {
        const std::string of = std::to_string(run) + "/" + std::to_string(options.Runs);
        progress.RunStarted("run " + of);
        watch.Start();
        report.Runs.push_back(RunWorkload(files, passStarted));
        watch.Stop();
        requireSuccess(report.Runs.back(), "run " + of);
        if (multiCore) {
            progress.RunStarted(std::to_string(options.Threads) + " copies, run " + of);
            watch.Start();
            report.CopiesRuns.push_back(
                RunCopies(report.TestInput.Path, work.Path(), report.Cpus, passStarted));
            watch.Stop();
            for (const RunRecord& copy : report.CopiesRuns.back().Copies) {
                requireSuccess(copy,
                               "copy on processor " + std::to_string(copy.Cpu) + " of run " + of);
            }
        }
    }
    progress.Clear();

    report.Summary = Summarize(report.Runs, report.TestInput.Bytes);
    if (multiCore) {
        report.MultiCore =
            SummarizeCopies(report.CopiesRuns, report.Summary, report.TestInput.Bytes);
    }
    report.Seen = {watch.OtherLoadPercent(), watch.Governor(), watch.ThrottleEvents()};
    report.Warnings = warningsFor(report);

    // With the JSON on standard output, the table goes to standard error.
    std::ostream& out = options.JsonFile == "-" ? std::cerr : std::cout;
    out << BenchText(report) << std::flush;
    for (const std::string& warning : report.Warnings) {
        std::cerr << "quelvorant-cli: warning: " << warning << "\n";
    }
    if (!options.NoHistory) {
        recordRuns(report, info, out);
    }
    if (!options.JsonFile.empty()) {
        writeJson(options.JsonFile, BenchJson(report, info));
    }
    return 0;
}
