#include "quelvorant-cli/HistoryCommands.h"

#include "history/HistoryCsv.h"
#include "history/HistoryImport.h"
#include "history/HistoryJson.h"
#include "history/RunOrder.h"
#include "history/ThisMachineCheck.h"
#include "platform/InertText.h"
#include "platform/QuelError.h"
#include "quelvorant-cli/CommandOutput.h"
#include "quelvorant-cli/Interruption.h"
#include "quelvorant-cli/OpenedHistory.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iostream>
#include <map>
#include <set>

namespace {

// The document with these runs and the machines they ran on.
HistoryDocument documentOf(ResultsHistory& history, const std::vector<HistoryRun>& runs) {
    HistoryDocument document;
    std::set<std::pair<std::string, std::string>> machines;
    for (const HistoryRun& run : runs) {
        if (machines.emplace(run.MachineId, run.MachineName).second) {
            if (auto machine = history.FindMachine({run.MachineId, run.MachineName})) {
                document.Machines.push_back(std::move(*machine));
            }
        }
    }
    document.Runs = runs;
    return document;
}

std::string shortId(const std::string& id) {
    return id.substr(0, 8);
}

// Every run, or the runs named by ids or their beginnings, with their passes.
std::vector<HistoryRun> exportedRuns(OpenedHistory& history, const std::vector<std::string>& ids,
                                     bool all) {
    std::vector<HistoryRun> runs;
    if (all) {
        runs = history.Runs({}, true);
    }
    for (const std::string& id : ids) {
        std::optional<HistoryRun> run = history.FindRun(id);
        if (!run) {
            throw CommandFailure(history.Path() + ": no run " + id + " in the history");
        }
        runs.push_back(std::move(*run));
    }
    return runs;
}

} // namespace

int RunHistoryList(const std::optional<std::string>& machine, const std::optional<int>& limit,
                   bool json) {
    OpenedHistory history(ResultsHistory::Access::Read);
    const std::int64_t now = ClockSeconds();
    std::vector<HistoryRun> runs;
    if (!machine) {
        runs = history.Runs({std::nullopt, limit}, json);
    } else {
        // An id names every clone of one system image; their runs are listed
        // together, newest first.
        bool known = false;
        for (const HistoryMachine& kept : history.Machines()) {
            if (kept.Id == *machine || kept.Name == *machine || kept.HostName == *machine) {
                known = true;
                for (HistoryRun& run : history.Runs({{{kept.Id, kept.Name}}, limit}, json)) {
                    runs.push_back(std::move(run));
                }
            }
        }
        if (!known) {
            throw CommandFailure(history.Path() + ": no machine " + InertText(*machine) +
                                 " in the history");
        }
        SortNewestFirst(runs, now);
        runs.resize(std::min(runs.size(), static_cast<std::size_t>(limit.value_or(INT_MAX))));
    }
    if (json) {
        std::cout << HistoryJson(documentOf(history, runs)).dump(2) << '\n';
        return 0;
    }
    // Each machine's architecture, as its facts tell: an ARM server's runs
    // beside an x86 one's.
    std::map<std::pair<std::string, std::string>, std::string> architectures;
    for (const HistoryMachine& kept : history.Machines()) {
        const nlohmann::json& info = kept.Info;
        const bool known = info.is_object() && info.contains("processor") &&
                           info["processor"].is_object() &&
                           info["processor"].value("architecture", nlohmann::json()).is_string();
        architectures[{kept.Id, kept.Name}] =
            known ? info["processor"]["architecture"].get<std::string>() : "?";
    }
    std::printf("%-8s  %-20s  %-6s  %-24s  %-7s  %10s  %5s  %6s  %s\n", "run", "started (UTC)",
                "source", "machine", "arch", "Time Summa", "score", "copies", "input");
    for (const HistoryRun& run : runs) {
        // Runs may come from other machines' files: nothing of theirs is
        // printed as it stands.
        const std::string host = InertText(run.MachineName + " (" + shortId(run.MachineId) + ")");
        std::string started = InertText(run.StartedAt);
        std::replace(started.begin(), started.end(), 'T', ' ');
        if (!started.empty() && started.back() == 'Z') {
            started.pop_back();
        }
        // A time ahead of the clock is never taken as the newest; say why
        // such a run is listed last.
        const TimeStanding standing = StandingOf(run.StartedAt, now);
        const char* mark = standing == TimeStanding::Ahead        ? "  (time ahead of this clock)"
                           : standing == TimeStanding::Unreadable ? "  (time unreadable)"
                                                                  : "";
        const auto architecture = architectures.find({run.MachineId, run.MachineName});
        std::printf(
            "%-8s  %-20s  %-6s  %-24s  %-7s  %10.4f  %5.0f  %6d  %s%s\n",
            InertText(shortId(run.Id)).c_str(), started.c_str(), InertText(run.Source).c_str(),
            host.c_str(),
            InertText(architecture == architectures.end() ? "?" : architecture->second).c_str(),
            run.TimeSumma, run.Score, run.Copies, run.Comparable ? "own" : "other", mark);
    }
    std::printf("%zu runs in %s\n", runs.size(), history.Path().c_str());
    return 0;
}

int RunHistoryDelete(const std::string& id) {
    OpenedHistory history(ResultsHistory::Access::Write);
    const std::optional<HistoryRun> run = history.FindRun(id);
    if (!run) {
        throw CommandFailure(history.Path() + ": no run " + id +
                             " in the history (or the beginning fits several)");
    }
    history.Delete(run->Id);
    std::printf("Deleted run %s of %s.\n", InertText(run->Id).c_str(),
                InertText(run->StartedAt).c_str());
    return 0;
}

int RunExportCsv(const std::vector<std::string>& ids, bool all, const std::string& file) {
    OpenedHistory history(ResultsHistory::Access::Read);
    const std::vector<HistoryRun> runs = exportedRuns(history, ids, all);
    WriteOutput(file, HistoryCsv(runs));
    if (file != "-") {
        std::printf("Exported %zu runs to %s.\n", runs.size(), file.c_str());
    }
    return 0;
}

int RunExport(const std::vector<std::string>& ids, bool all, const std::string& file) {
    OpenedHistory history(ResultsHistory::Access::Read);
    const std::vector<HistoryRun> runs = exportedRuns(history, ids, all);
    WriteOutput(file, HistoryJson(documentOf(history, runs)).dump(2) + "\n");
    if (file != "-") {
        std::printf("Exported %zu runs to %s.\n", runs.size(), file.c_str());
    }
    return 0;
}

int RunImport(const std::vector<std::string>& files, const HistoryMachine& thisMachine) {
    // Every file is read whole before anything is kept.
    HistoryDocument everything;
    for (const std::string& file : files) {
        HistoryDocument document;
        try {
            document = ReadImportFile(file);
        } catch (const QuelError&) {
            // Ctrl-C while a FIFO waits for its writer ends the wait.
            Interruption::ThrowIfRequested();
            throw;
        }
        CheckThisMachine(document, thisMachine, file);
        everything.Machines.insert(everything.Machines.end(), document.Machines.begin(),
                                   document.Machines.end());
        everything.Runs.insert(everything.Runs.end(), document.Runs.begin(), document.Runs.end());
    }
    OpenedHistory history(ResultsHistory::Access::Write);
    const int added = history.Import(everything.Machines, everything.Runs, thisMachine);
    std::printf("Imported %d new runs of %zu into %s.\n", added, everything.Runs.size(),
                history.Path().c_str());
    return 0;
}
