#pragma once

#include "history/HistoryRun.h"

#include <string>
#include <utility>
#include <vector>

// What the results report shows: one run, its machine, and what the history
// holds to set it against.
struct ReportData {
    // The run's machine; Info is its quelvorant.info object.
    HistoryMachine Machine;
    // The run the report is about (101 pass times: 50 compressions, then 51
    // decompressions).
    HistoryRun Run;
    // This machine's comparable runs of one copy, oldest first, Run among
    // them when it is one: the scores over time and the spread.
    std::vector<HistoryRun> MachineRuns;
    // Every machine in the history with its best run (lowest Time Summa),
    // this one included.
    std::vector<std::pair<HistoryMachine, HistoryRun>> Machines;
    // When the report was made, UTC, ISO 8601.
    std::string GeneratedAt;
};

// The report as one self-contained HTML document: inline style and SVG
// charts, no script, nothing loaded from elsewhere.
std::string HtmlReport(const ReportData& data);
