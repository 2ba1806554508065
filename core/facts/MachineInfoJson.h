#pragma once

#include <nlohmann/json.hpp>

struct MachineInfo;

// The facts as one object with "schema": "quelvorant.info/1"
// (docs/schemas/quelvorant.info-1.schema.json); unknown facts are null and
// every text is UTF-8.
nlohmann::json MachineInfoJson(const MachineInfo& info);
