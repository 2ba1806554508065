#pragma once

#include "history/ResultsHistory.h"
#include "results/BenchReport.h"

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

// Keeps every counted run of a bench result, each copy of a multi-core run
// too, as runs of the machine that info describes, now; each run is written
// in a transaction of its own. source is "window" or "cli". Returns how many
// runs were kept; raises when the history cannot be used.
std::size_t RecordBenchResult(ResultsHistory& history, const BenchReport& report,
                              const nlohmann::json& info, const std::string& source);
