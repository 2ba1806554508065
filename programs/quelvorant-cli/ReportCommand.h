#pragma once

#include "history/ResultsHistory.h"

#include <optional>
#include <string>

// `report [RUN-ID] --html FILE`: one self-contained HTML page about a kept
// run: the machine, the score with its spread, the pass times, this
// machine's scores over time and every machine's best. Without a run id, the
// newest run of one copy on thisMachine (or the newest run kept, on a
// computer with none of its own). Returns the exit code; a history that cannot be used raises.
int RunReport(const std::optional<std::string>& runId, const std::string& htmlFile,
              const ResultsHistory::MachineKey& thisMachine);

// `report --fleet --html FILE`: one self-contained HTML page over every
// machine in the history, fastest first. Returns the exit code.
int RunFleetReport(const std::string& htmlFile);
