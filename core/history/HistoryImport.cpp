#include "history/HistoryImport.h"

#include "history/HistoryEntries.h"
#include "history/HistoryRunCheck.h"
#include "platform/QuelError.h"
#include "results/BenchJson.h"
#include "results/JsonFields.h"
#include "results/JsonFile.h"

#include <algorithm>

namespace {

// A bench result's runs, all of the one machine its info describes, seen
// when its last run began.
HistoryDocument documentOf(const BenchFile& bench) {
    std::string lastRun;
    for (const RunRecord& run : bench.Report.Runs) {
        lastRun = std::max(lastRun, run.StartedAt);
    }
    for (const CopiesRecord& copies : bench.Report.CopiesRuns) {
        for (const RunRecord& copy : copies.Copies) {
            lastRun = std::max(lastRun, copy.StartedAt);
        }
    }
    HistoryDocument document;
    document.Machines.push_back(HistoryMachineOf(bench.Info, lastRun));
    document.Runs = HistoryRunsOf(bench.Report, document.Machines.front(), "cli");
    for (std::size_t i = 0; i < document.Runs.size(); ++i) {
        HistoryRun& run = document.Runs[i];
        run.ProgramVersion = bench.ProgramVersion;
        // The bench command writes only runs whose output it checked.
        if (!run.CheckPassed) {
            throw QuelError(QuelError::kOwnError, "ReadImportFile",
                            bench.Path + ": " + ItemName("run", i, run.Id) +
                                ": field 'check.passed' must be true: a bench result holds only "
                                "runs whose output was checked");
        }
    }
    return document;
}

// Either kind of file, checked whole.
HistoryDocument documentFrom(const nlohmann::json& document, const std::string& path) {
    const std::string schema =
        document.is_object() && document.contains("schema") && document["schema"].is_string()
            ? document["schema"].get<std::string>()
            : std::string();
    const bool exported = schema == kHistorySchema || schema == kHistorySchemaV1;
    if (!exported && schema != kBenchSchema && schema != kBenchSchemaV1) {
        throw QuelError(QuelError::kOwnError, "ReadImportFile",
                        path + ": neither a bench result (" + kBenchSchema + ") nor an export (" +
                            kHistorySchema + ")");
    }
    HistoryDocument read =
        exported ? HistoryDocumentFrom(document, path) : documentOf(BenchFileFrom(document, path));
    CheckImportedDocument(read, path);
    return read;
}

} // namespace

HistoryDocument ReadImportFile(const std::string& path) {
    return documentFrom(ReadJsonFile(path), path == "-" ? "standard input" : path);
}

HistoryDocument ImportDocumentFrom(const std::string& text, const std::string& name) {
    return documentFrom(ParseJsonText(text, name), name);
}