#pragma once

#include "history/HistoryRun.h"
#include "results/BenchReport.h"
#include "run/RunRecord.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// A finished run on machine as the history keeps it. source is "window" or
// "cli"; copies is how many copies of the workload ran at once.
HistoryRun HistoryRunOf(const RunRecord& record, const HistoryMachine& machine,
                        const std::string& source, const std::string& inputSha256, bool comparable,
                        int copies);

// Every counted run of a bench result as the history keeps it: the runs of
// one copy, then each copy of every multi-core run.
std::vector<HistoryRun> HistoryRunsOf(const BenchReport& report, const HistoryMachine& machine,
                                      const std::string& source);

// The machine that a quelvorant.info object describes, seen at seenAt. Its
// id is the object's machine_id; a machine without one is known by a hash
// of its host name and processor. Its name is the object's machine_name,
// else its host name.
HistoryMachine HistoryMachineOf(const nlohmann::json& info, const std::string& seenAt);
