#pragma once

#include "HistoryRun.h"
#include "RunRecord.h"

#include <nlohmann/json.hpp>
#include <string>

// A finished run as the history keeps it. source is "window" or "cli";
// threads is how many copies ran at once.
HistoryRun HistoryRunOf(const RunRecord& record, const std::string& machineId,
                        const std::string& source, const std::string& inputSha256, bool comparable,
                        int threads);

// The machine that a quelvorant.info/1 object describes, seen at seenAt.
// Its id is the object's machine_id; a machine without one is known by a
// hash of its host name and processor.
HistoryMachine HistoryMachineOf(const nlohmann::json& info, const std::string& seenAt);
