#include "quelvorant-cli/BenchCommand.h"

#include "facts/ArmProcessor.h"
#include "facts/MachineWatch.h"
#include "history/RunRecording.h"
#include "platform/QuelError.h"
#include "preflight/PreflightText.h"
#include "quelvorant-cli/CheckCommand.h"
#include "quelvorant-cli/CommandOutput.h"
#include "quelvorant-cli/Interruption.h"
#include "quelvorant-cli/OpenedHistory.h"
#include "quelvorant-cli/PrivateWorkFolder.h"
#include "quelvorant-cli/ProcessorChoice.h"
#include "quelvorant-cli/ProgressLine.h"
#include "results/BenchJson.h"
#include "results/BenchText.h"
#include "results/BenchWarnings.h"
#include "results/TestInputFacts.h"
#include "results/WorkloadRun.h"

#include <iostream>
#include <sched.h>
#include <unistd.h>

namespace {

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

// Keeps every counted run. A history that cannot be used costs the runs
// their place in it, not the results.
void recordRuns(const BenchReport& report, const nlohmann::json& info, std::ostream& out) {
    try {
        OpenedHistory history(ResultsHistory::Access::Write);
        const std::size_t recorded = RecordBenchResult(history, report, info, "cli");
        out << "Recorded " << recorded << " runs in " << history.Path() << ".\n";
    } catch (const QuelError& error) {
        std::cerr << "quelvorant-cli: warning: the runs were not recorded: " << error.Description()
                  << "\n";
    }
}

// The kinds of core that --core-kind may name: hwloc's ranked kinds, and on
// 64-bit ARM each core's name as info shows it.
std::vector<CoreKind> coreKindsHere() {
    const std::optional<CpuTopology> topology = MachineCpuTopology();
    std::vector<CoreKind> kinds = topology ? topology->CoreKinds : std::vector<CoreKind>{};
    if (const auto arm = ReadArmProcessor("", std::nullopt); arm && arm->Kinds.size() > 1) {
        for (const ArmCoreKind& kind : arm->Kinds) {
            kinds.push_back({std::nullopt, kind.Name, kind.Cpus, kind.Cores, kind.Cores});
        }
    }
    return kinds;
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
    report.TestInput = TestInputFacts(options.Input);
    report.Warmup = options.Warmup;
    const bool multiCore = options.Copies > 1;
    if (multiCore) {
        const std::vector<int> available = AvailableProcessors();
        report.Cpus.assign(available.begin(), available.begin() + options.Copies);
    }
    const nlohmann::json info =
        options.JsonFile.empty() && options.NoHistory ? nlohmann::json() : machineInfo();
    const int cpu =
        ChooseProcessor(options.Cpu, options.CoreKind, AvailableProcessors(),
                        options.CoreKind.empty() ? std::vector<CoreKind>{} : coreKindsHere());
    // One copy, pinned where asked.
    const auto runOnce = [&cpu](const TestFiles& files, const RunHooks& hooks) {
        return cpu >= 0 ? RunWorkloadOn(cpu, files, hooks) : RunWorkload(files, hooks);
    };

    // A strict bench refuses before its warm-up too, which would run for nothing.
    if (options.Strict && options.Warmup > 0) {
        CheckBeforeBench(true);
    }
    PrivateWorkFolder work;
    const TestFiles files{report.TestInput.Path, work.Path() + "/QuelTest.HAr",
                          work.Path() + "/QuelTest2.dat"};
    ProgressLine progress(::isatty(STDERR_FILENO) == 1 && !options.Quiet,
                          options.Warmup + options.Runs * (multiCore ? 2 : 1));
    const RunHooks hooks{Interruption::ThrowIfRequested,
                         [&progress](int pass) { progress.PassStarted(pass); }};

    for (int warmup = 1; warmup <= options.Warmup; ++warmup) {
        progress.RunStarted("warm-up " + std::to_string(warmup) + "/" +
                            std::to_string(options.Warmup));
        requireSuccess(runOnce(files, hooks), "the warm-up run");
    }
    // The checks see the machine as the counted runs will meet it.
    progress.Clear();
    report.Preflight = CheckBeforeBench(options.Strict);
    MachineWatch watch;
    for (int run = 1; run <= options.Runs; ++run) {
        const std::string of = std::to_string(run) + "/" + std::to_string(options.Runs);
        progress.RunStarted("run " + of);
        watch.Start();
        report.Runs.push_back(runOnce(files, hooks));
        watch.Stop();
        requireSuccess(report.Runs.back(), "run " + of);
        if (multiCore) {
            progress.RunStarted(std::to_string(options.Copies) + " copies, run " + of);
            watch.Start();
            report.CopiesRuns.push_back(
                RunCopies(report.TestInput.Path, work.Path(), report.Cpus, hooks));
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
    report.Warnings = BenchWarnings(report);

    // With the JSON on standard output, the table goes to standard error.
    std::ostream& out = options.JsonFile == "-" ? std::cerr : std::cout;
    out << BenchText(report) << std::flush;
    for (const std::string& warning : report.Warnings) {
        std::cerr << "quelvorant-cli: warning: " << warning << "\n";
    }
    std::cerr << PreflightWarningLines(*report.Preflight, "quelvorant-cli: before the runs: ");
    if (!options.NoHistory) {
        recordRuns(report, info, out);
    }
    if (!options.JsonFile.empty()) {
        WriteOutput(options.JsonFile, BenchJson(report, info).dump(2) + "\n");
    }
    return 0;
}
