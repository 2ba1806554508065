#pragma once

#include "preflight/PreflightResult.h"
#include "results/JsonFields.h"

// The checks made before a benchmark, read back from their JSON object
// ({"checks": [{"name", "level", "found", "fix"} ...], "warnings": N}). A
// check of an unknown level, or a count of warnings that its checks do not
// tell, raises the QuelError of JsonFields naming the field.
PreflightResult PreflightFrom(const JsonFields& preflight);
