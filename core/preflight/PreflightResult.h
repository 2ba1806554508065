#pragma once

#include "preflight/PreflightCheck.h"

#include <optional>
#include <string>
#include <vector>

// Every check made before a benchmark, in the order they are shown.
struct PreflightResult {
    std::vector<PreflightCheck> Checks;

    // How many checks warn.
    int Warnings() const;
    // Why a benchmark that must not run with a warning refuses to start,
    // naming the checks that warn; nothing when none does. Notes never refuse.
    std::optional<std::string> RefusalReason() const;
};
