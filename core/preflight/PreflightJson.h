#pragma once

#include "preflight/PreflightResult.h"

#include <nlohmann/json.hpp>

// The schema of `quelvorant-cli check --json`
// (docs/schemas/quelvorant.check-1.schema.json).
inline constexpr const char* kCheckSchema = "quelvorant.check/1";

// The checks as {"checks": [{"name", "level", "found", "fix"} ...], "warnings": N},
// without "schema", as a bench result holds them. It keeps only what may be
// shared: no names or ids of other programs.
nlohmann::json PreflightJson(const PreflightResult& result);
