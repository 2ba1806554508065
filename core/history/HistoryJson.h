#pragma once

#include "history/HistoryRun.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Runs of the history and their machines as one JSON document of the schema
// "quelvorant.history/2" (docs/schemas/quelvorant.history-2.schema.json):
// what `export` writes and `import` reads on another computer. Version 1,
// still read, names no machine: its machines go by their host names.
inline constexpr const char* kHistorySchema = "quelvorant.history/2";
inline constexpr const char* kHistorySchemaV1 = "quelvorant.history/1";

struct HistoryDocument {
    std::vector<HistoryMachine> Machines;
    std::vector<HistoryRun> Runs;
};

nlohmann::json HistoryJson(const HistoryDocument& document);

// The document read back. Anything missing or wrong raises a QuelError that
// names the file (path) and what is wrong, among them a run whose machine
// the document does not describe and a run without its 101 pass times.
HistoryDocument HistoryDocumentFrom(const nlohmann::json& json, const std::string& path);
