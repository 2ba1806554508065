// quelvorant-cli: the machine's facts and the benchmark without a window,
// for terminals, scripts and servers.
#include "commandline/CommandLine.h"
#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "facts/MachineInfoText.h"
#include "facts/MachineName.h"
#include "facts/QuelCoreBinding.h"
#include "history/HistoryEntries.h"
#include "platform/HostSystemStatus.h"
#include "platform/InertText.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "quelvorant-cli/BenchCommand.h"
#include "quelvorant-cli/CheckCommand.h"
#include "quelvorant-cli/CompareCommand.h"
#include "quelvorant-cli/FleetCommand.h"
#include "quelvorant-cli/HistoryCommands.h"
#include "quelvorant-cli/Interruption.h"
#include "quelvorant-cli/ReportCommand.h"
#include "rawdata/LoadedMachine.h"
#include "rawdata/RawDataSave.h"
#include "rawdata/UnpackedBundle.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <iostream>
#include <optional>

namespace {

// --machine-name NAME, given to a command that tells which machine it runs on.
std::optional<std::string> chosenName;

// All the facts, or (identityOnly) those that tell who this machine is,
// without the topology and the moment the usage is measured over.
MachineInfo machineInfo(bool identityOnly = false) {
    if (!chosenName) {
        MachineName::CheckVariable();
    }
    QuelCoreBinding library;
    HostSystemStatus system;
    MachineInfo info = identityOnly ? CollectMachineInfo(library, system, "", std::nullopt,
                                                         std::chrono::milliseconds(0))
                                    : CollectMachineInfo(library, system);
    if (chosenName) {
        info.MachineName = *chosenName;
    }
    return info;
}

nlohmann::json machineInfoJson() {
    return MachineInfoJson(machineInfo());
}

HistoryMachine thisMachine() {
    return HistoryMachineOf(MachineInfoJson(machineInfo(true)), "");
}

// Adds --machine-name to a command that records or looks for this machine.
void addMachineName(CLI::App* command) {
    command
        ->add_option("--machine-name", chosenName,
                     "the name this machine's results go by (default: $" +
                         std::string(MachineName::kVariable) + ", else the host name)")
        ->check(CLI::Validator([](const std::string& name) { return MachineName::Fault(name); },
                               "NAME", "machine name"));
}

// What --save-raw and --load-raw name.
struct RawData {
    std::optional<std::string> SaveTo;
    bool WithIdentity = false;
    std::optional<std::string> LoadFrom;
};

// The facts of the machine whose raw data path holds; each file that is
// there but cannot be used is said on standard error.
MachineInfo loadedMachineInfo(const std::string& path) {
    const UnpackedBundle bundle(path);
    LoadedMachine loaded = LoadMachineInfo(bundle.Root(), path);
    for (const std::string& fault : loaded.Faults) {
        std::cerr << "quelvorant-cli: " << InertText(path, true) << ": " << InertText(fault, true)
                  << "; what it tells is unknown\n";
    }
    if (chosenName) {
        loaded.Info.MachineName = *chosenName;
    }
    return loaded.Info;
}

int runInfo(bool json, const RawData& raw) {
    if (raw.SaveTo) {
        const std::size_t bytes = SaveRawData(*raw.SaveTo, {"", raw.WithIdentity});
        std::cout << "Wrote the raw facts of this machine to " << *raw.SaveTo << " (" << bytes
                  << " bytes).\n";
        return 0;
    }
    const MachineInfo info = raw.LoadFrom ? loadedMachineInfo(*raw.LoadFrom) : machineInfo();
    if (json) {
        std::cout << MachineInfoJson(info).dump(2) << '\n';
    } else {
        std::cout << MachineInfoText(info);
    }
    return 0;
}

// "all" or a count from 1 to the number of processors this program may use.
std::string threadsError(const std::string& text) {
    const int available = static_cast<int>(AvailableProcessors().size());
    if (text == "all") {
        return {};
    }
    std::size_t used = 0;
    int count = 0;
    try {
        count = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || count < 1 || count > available) {
        return "--threads takes 'all' or a number from 1 to " + std::to_string(available) +
               " (the processors this program may use), not '" + text + "'";
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app("Shows what the machine is and measures how fast it runs Quelvorant's "
                 "benchmark, without a window.",
                 "quelvorant-cli");
    app.set_version_flag("--version", "quelvorant-cli " + VersionNumber());
    app.require_subcommand(1);
    std::function<int()> command;

    CLI::App* info = app.add_subcommand("info", "show the processor, caches, memory and system");
    bool infoJson = false;
    info->add_flag("--json", infoJson, "print one JSON object (schema quelvorant.info/2)");
    RawData raw;
    CLI::Option* saveRaw =
        info->add_option("--save-raw", raw.SaveTo,
                         "write what the facts are made from to FILE (.tar.gz), for a bug report")
            ->excludes("--json");
    info->add_flag("--with-identity", raw.WithIdentity,
                   "keep the host name, machine id and serial numbers in that file")
        ->needs(saveRaw);
    info->add_option("--load-raw", raw.LoadFrom,
                     "show the facts of the machine whose raw data PATH holds: a bundle that "
                     "--save-raw wrote, a folder laid out like one, or a libcpuid dump")
        ->type_name("PATH")
        ->excludes(saveRaw);
    addMachineName(info);
    info->callback([&] { command = [&] { return runInfo(infoJson, raw); }; });

    CLI::App* bench = app.add_subcommand("bench", "run the benchmark and print its figures");
    BenchOptions options;
    std::string threads = "1";
    bench->add_option("--runs", options.Runs, "runs that count (default 3)")
        ->check(CLI::Range(1, 1000));
    bench->add_option("--warmup", options.Warmup, "runs before them that do not count (default 1)")
        ->check(CLI::Range(0, 100));
    bench
        ->add_option("--threads", threads,
                     "copies of the workload at once, each on its own processor: N or all "
                     "(default 1)")
        ->check(CLI::Validator(threadsError, "N|all", "threads"));
    bench
        ->add_option("--input", options.Input,
                     "another test input; its results do not compare with other machines'")
        ->check(CLI::ExistingFile);
    bench->add_option("--json", options.JsonFile,
                      "write the results as JSON (schema quelvorant.bench/2) to FILE, - for "
                      "standard output");
    addMachineName(bench);
    bench->add_flag("--quiet", options.Quiet, "no progress line");
    bench->add_flag("--no-history", options.NoHistory,
                    "do not keep the runs in the results history");
    bench->add_flag("--strict", options.Strict,
                    "refuse to start while a check of the machine warns (see check)");
    bench->add_option("--cpu", options.Cpu, "run the single copy on this processor only")
        ->check(CLI::NonNegativeNumber);
    bench
        ->add_option("--core-kind", options.CoreKind,
                     "run the single copy on a core of this kind: performance, efficiency or "
                     "the system's name of the kind")
        ->excludes("--cpu");
    bench->callback([&] {
        options.Copies =
            threads == "all" ? static_cast<int>(AvailableProcessors().size()) : std::stoi(threads);
        command = [&] { return RunBench(options, machineInfoJson); };
    });

    CLI::App* check = app.add_subcommand(
        "check",
        "list what can spoil a benchmark now and the commands that fix it; changes nothing");
    bool checkJson = false;
    check->add_flag("--json", checkJson, "print one JSON object (schema quelvorant.check/1)");
    check->callback([&] { command = [&] { return RunCheck(checkJson); }; });

    CLI::App* compare =
        app.add_subcommand("compare", "compare the JSON results of bench runs, figure by figure");
    std::vector<std::string> files;
    compare->add_option("FILES", files, "two or more JSON files written by bench --json")
        ->required()
        ->expected(2, -1)
        ->check(CLI::ExistingFile);
    bool markdown = false;
    compare->add_flag("--markdown", markdown, "print the tables as Markdown");
    compare->callback([&] { command = [&] { return RunCompare(files, markdown); }; });

    CLI::App* historyCommand =
        app.add_subcommand("history", "list the runs kept in the results history, newest first");
    historyCommand->require_subcommand(0, 1);
    std::optional<std::string> machine;
    std::optional<int> limit;
    bool historyJson = false;
    historyCommand->add_option("--machine", machine,
                               "only the runs of this machine (id, name or host name)");
    historyCommand->add_option("--limit", limit, "at most N runs")->check(CLI::PositiveNumber);
    historyCommand->add_flag("--json", historyJson,
                             "print the runs as JSON (schema quelvorant.history/2)");
    historyCommand->callback([&] {
        if (!command) {
            command = [&] { return RunHistoryList(machine, limit, historyJson); };
        }
    });
    CLI::App* deleteCommand = historyCommand->add_subcommand("delete", "delete one run");
    std::string deleteId;
    deleteCommand->add_option("ID", deleteId, "the run's id, or a beginning of it")->required();
    deleteCommand->callback([&] { command = [&] { return RunHistoryDelete(deleteId); }; });

    CLI::App* exportCommand =
        app.add_subcommand("export", "write runs of the history as JSON, for another computer");
    std::vector<std::string> exportIds;
    bool exportAll = false;
    std::string exportFile;
    exportCommand->add_option("ID", exportIds, "the runs to export (ids or beginnings)");
    exportCommand->add_flag("--all", exportAll, "every run")->excludes("ID");
    std::string exportCsv;
    CLI::Option* exportJson = exportCommand->add_option(
        "--json", exportFile, "the JSON file to write, - for standard output");
    exportCommand
        ->add_option("--csv", exportCsv,
                     "the runs in long form instead, a row per pass with its readings, - for "
                     "standard output")
        ->excludes(exportJson);
    exportCommand->callback([&] {
        if (exportIds.empty() && !exportAll) {
            throw CLI::ValidationError("export", "name the runs to export, or --all");
        }
        if (exportFile.empty() && exportCsv.empty()) {
            throw CLI::ValidationError("export", "give --json FILE or --csv FILE");
        }
        command = [&] {
            return exportCsv.empty() ? RunExport(exportIds, exportAll, exportFile)
                                     : RunExportCsv(exportIds, exportAll, exportCsv);
        };
    });

    CLI::App* importCommand = app.add_subcommand(
        "import", "keep the runs of bench results and exports, from this computer or others");
    std::vector<std::string> importFiles;
    importCommand
        ->add_option("FILES", importFiles,
                     "files written by bench --json or export, - for standard input")
        ->required()
        ->check(CLI::Validator(
            [](std::string& file) { return file == "-" ? std::string() : CLI::ExistingFile(file); },
            "FILE|-", "file or standard input"));
    addMachineName(importCommand);
    importCommand->callback([&] {
        if (std::count(importFiles.begin(), importFiles.end(), "-") > 1) {
            throw CLI::ValidationError("FILES", "standard input (-) can be read only once");
        }
        command = [&] { return RunImport(importFiles, thisMachine()); };
    });

    CLI::App* reportCommand = app.add_subcommand(
        "report", "write one HTML page about a kept run, or with --fleet about every machine, "
                  "with charts, readable offline");
    std::optional<std::string> reportRun;
    std::string reportFile;
    bool reportFleet = false;
    CLI::Option* reportRunOption = reportCommand->add_option(
        "RUN-ID", reportRun, "the run (id or beginning); the newest of this machine without it");
    reportCommand->add_option("--html", reportFile, "the file to write, - for standard output")
        ->required();
    reportCommand
        ->add_flag("--fleet", reportFleet,
                   "one page over every machine in the history: each one's median Time Summa "
                   "and spread, fastest first, copies' passes per second and scaling, and the "
                   "checks' warnings")
        ->excludes(reportRunOption);
    addMachineName(reportCommand);
    reportCommand->callback([&] {
        if (reportFleet) {
            command = [&] { return RunFleetReport(reportFile); };
            return;
        }
        command = [&] {
            const HistoryMachine machine = thisMachine();
            return RunReport(reportRun, reportFile, {machine.Id, machine.Name});
        };
    });

    CLI::App* fleetCommand =
        app.add_subcommand("fleet", "run the benchmark on many machines with Ansible");
    fleetCommand->require_subcommand(1);
    CLI::App* fleetInit = fleetCommand->add_subcommand(
        "init", "put the fleet playbook, its settings, an inventory to fill in and its README "
                "into a folder, to run ansible-playbook from there");
    std::string fleetFolder;
    bool fleetForce = false;
    fleetInit->add_option("DIR", fleetFolder, "the folder, made when missing")->required();
    fleetInit->add_flag("--force", fleetForce,
                        "replace those files when they are there (without it nothing is written)");
    fleetInit->callback([&] { command = [&] { return RunFleetInit(fleetFolder, fleetForce); }; });

    CommandLine::UseUsageFirstHelp(app);
    if (const auto done = CommandLine::Parse(app, argc, argv)) {
        return *done;
    }
    Interruption::Install();
    try {
        return command();
    } catch (const Interrupted& interrupted) {
        std::cerr << "quelvorant-cli: interrupted; nothing was reported\n";
        return 128 + interrupted.Signal;
    } catch (const QuelError& error) {
        // Descriptions may quote files made elsewhere.
        std::cerr << "quelvorant-cli: " << InertText(error.Description(), true) << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "quelvorant-cli: " << InertText(error.what(), true) << '\n';
        return 1;
    }
}
