#include "HistoryCommands.h"

#include "BenchJson.h"
#include "FileSystem.h"
#include "HistoryEntries.h"
#include "HistoryJson.h"
#include "QuelError.h"
#include "ResultsHistory.h"

#include <cstdio>
#include <iostream>
#include <map>
#include <set>

namespace {

QuelError failure(const std::string& what) {
    return QuelError(QuelError::kOwnError, "quelvorant-cli", what);
}

// The document with these runs and the machines they ran on.
HistoryDocument documentOf(ResultsHistory& history, const std::vector<HistoryRun>& runs) {
    HistoryDocument document;
    std::set<std::string> machines;
    for (const HistoryRun& run : runs) {
        if (machines.insert(run.MachineId).second) {
            if (auto machine = history.FindMachine(run.MachineId)) {
                document.Machines.push_back(std::move(*machine));
            }
        }
    }
    document.Runs = runs;
    return document;
}

void writeText(const std::string& file, const std::string& text) {
    if (file == "-") {
        std::cout << text << std::flush;
        return;
    }
    try {
        FileSystem::WriteAll(file, std::vector<std::uint8_t>(text.begin(), text.end()),
                             FileSystem::WriteMode::Durable);
    } catch (const QuelError& error) {
        throw failure(file + ": " + error.Description());
    }
}

// The runs and machines of a bench result or an export file.
HistoryDocument readImport(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = FileSystem::ReadAll(path);
    } catch (const QuelError& error) {
        throw failure(path + ": " + error.Description());
    }
    const nlohmann::json document =
        nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (document.is_discarded()) {
        throw failure(path + ": not a JSON document");
    }
    const std::string schema =
        document.is_object() && document.contains("schema") && document["schema"].is_string()
            ? document["schema"].get<std::string>()
            : std::string();
    if (schema == kHistorySchema) {
        return HistoryDocumentFrom(document, path);
    }
    if (schema != kBenchSchema) {
        throw failure(path + ": neither a bench result (" + kBenchSchema + ") nor an export (" +
                      kHistorySchema + ")");
    }
    const BenchFile bench = ReadBenchFile(path);
    const BenchReport& report = bench.Report;
    HistoryDocument result;
    std::string lastRun;
    const auto add = [&](const RunRecord& record, int threads) {
        lastRun = std::max(lastRun, record.StartedAt);
        result.Runs.push_back(HistoryRunOf(record, "", "cli", report.TestInput.Sha256,
                                           report.TestInput.Comparable, threads));
        result.Runs.back().ProgramVersion = bench.Program.value("version", "");
    };
    for (const RunRecord& run : report.Runs) {
        add(run, 1);
    }
    for (const CopiesRecord& copies : report.CopiesRuns) {
        for (const RunRecord& copy : copies.Copies) {
            add(copy, static_cast<int>(copies.Copies.size()));
        }
    }
    result.Machines.push_back(HistoryMachineOf(bench.Info, lastRun));
    for (HistoryRun& run : result.Runs) {
        run.MachineId = result.Machines.front().Id;
    }
    return result;
}

std::string shortId(const std::string& id) {
    return id.substr(0, 8);
}

} // namespace

int RunHistoryList(const std::optional<std::string>& machine, const std::optional<int>& limit,
                   bool json) {
    ResultsHistory history;
    ResultsHistory::Filter filter;
    filter.Limit = limit;
    std::map<std::string, std::string> hostNames;
    for (const HistoryMachine& known : history.Machines()) {
        hostNames[known.Id] = known.HostName;
        if (machine && (known.Id == *machine || known.HostName == *machine)) {
            filter.MachineId = known.Id;
        }
    }
    if (machine && !filter.MachineId) {
        throw failure(history.Path() + ": no machine " + *machine + " in the history");
    }
    const std::vector<HistoryRun> runs = history.Runs(filter, json);
    if (json) {
        std::cout << HistoryJson(documentOf(history, runs)).dump(2) << '\n';
        return 0;
    }
    std::printf("%-8s  %-20s  %-6s  %-24s  %10s  %5s  %6s  %s\n", "run", "started (UTC)", "source",
                "machine", "Time Summa", "score", "copies", "input");
    for (const HistoryRun& run : runs) {
        const std::string host = hostNames[run.MachineId] + " (" + shortId(run.MachineId) + ")";
        std::string started = run.StartedAt;
        std::replace(started.begin(), started.end(), 'T', ' ');
        if (!started.empty() && started.back() == 'Z') {
            started.pop_back();
        }
        std::printf("%-8s  %-20s  %-6s  %-24s  %10.4f  %5.0f  %6d  %s\n", shortId(run.Id).c_str(),
                    started.c_str(), run.Source.c_str(), host.c_str(), run.TimeSumma, run.Score,
                    run.Threads, run.Comparable ? "own" : "other");
    }
    std::printf("%zu runs in %s\n", runs.size(), history.Path().c_str());
    return 0;
}

int RunHistoryDelete(const std::string& id) {
    ResultsHistory history;
    const std::optional<HistoryRun> run = history.FindRun(id);
    if (!run) {
        throw failure(history.Path() + ": no run " + id +
                      " in the history (or the beginning fits several)");
    }
    history.Delete(run->Id);
    std::printf("Deleted run %s of %s.\n", run->Id.c_str(), run->StartedAt.c_str());
    return 0;
}

int RunExport(const std::vector<std::string>& ids, bool all, const std::string& file) {
    ResultsHistory history;
    std::vector<HistoryRun> runs;
    if (all) {
        runs = history.Runs({}, true);
    }
    for (const std::string& id : ids) {
        std::optional<HistoryRun> run = history.FindRun(id);
        if (!run) {
            throw failure(history.Path() + ": no run " + id + " in the history");
        }
        runs.push_back(std::move(*run));
    }
    writeText(file, HistoryJson(documentOf(history, runs)).dump(2) + "\n");
    if (file != "-") {
        std::printf("Exported %zu runs to %s.\n", runs.size(), file.c_str());
    }
    return 0;
}

int RunImport(const std::vector<std::string>& files) {
    // Every file is read whole before anything is kept.
    HistoryDocument everything;
    for (const std::string& file : files) {
        HistoryDocument document = readImport(file);
        everything.Machines.insert(everything.Machines.end(), document.Machines.begin(),
                                   document.Machines.end());
        everything.Runs.insert(everything.Runs.end(), document.Runs.begin(), document.Runs.end());
    }
    ResultsHistory history;
    const int added = history.Import(everything.Machines, everything.Runs);
    std::printf("Imported %d new runs of %zu into %s.\n", added, everything.Runs.size(),
                history.Path().c_str());
    return 0;
}
