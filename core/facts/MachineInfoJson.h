#pragma once

#include <nlohmann/json.hpp>

struct MachineInfo;

// The kind of document the facts are written as; quelvorant.info/1 is the
// same without "machine_name".
inline constexpr const char* kInfoSchema = "quelvorant.info/2";

// The facts as one object with "schema": "quelvorant.info/2"
// (docs/schemas/quelvorant.info-2.schema.json); unknown facts are null and
// every text is UTF-8.
nlohmann::json MachineInfoJson(const MachineInfo& info);
