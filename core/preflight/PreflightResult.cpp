#include "preflight/PreflightResult.h"

#include <algorithm>

int PreflightResult::Warnings() const {
    return static_cast<int>(std::count_if(Checks.begin(), Checks.end(), [](const auto& check) {
        return check.Level == CheckLevel::Warn;
    }));
}

std::optional<std::string> PreflightResult::RefusalReason() const {
    std::string names;
    for (const PreflightCheck& check : Checks) {
        if (check.Level == CheckLevel::Warn) {
            names += (names.empty() ? "" : ", ") + check.Name;
        }
    }
    if (names.empty()) {
        return std::nullopt;
    }
    const int count = Warnings();
    return std::to_string(count) + (count == 1 ? " check warns" : " checks warn") + " (" + names +
           ")";
}
