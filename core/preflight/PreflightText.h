#pragma once

#include "preflight/PreflightResult.h"

#include <string>

// The checks as an aligned table for this terminal: level, check, what was
// found and the fix, one line each, with the names of busy programs.
std::string PreflightText(const PreflightResult& result);

// The lines of the checks that warn, as this terminal is told them, each
// "<prefix>warn NAME: found; fix: command".
std::string PreflightWarningLines(const PreflightResult& result, const std::string& prefix);
