#include "results/PreflightFields.h"

#include "platform/QuelError.h"

PreflightResult PreflightFrom(const JsonFields& preflight) {
    PreflightResult result;
    const nlohmann::json& checks = preflight.Array("checks");
    for (std::size_t i = 0; i < checks.size(); ++i) {
        const JsonFields check = JsonFields::Item(checks, i, "check", preflight.Path());
        PreflightCheck kept;
        kept.Name = check.Text("name");
        const std::string level = check.Text("level");
        if (level == "warn") {
            kept.Level = CheckLevel::Warn;
        } else if (level == "note") {
            kept.Level = CheckLevel::Note;
        } else if (level != "pass") {
            throw QuelError(QuelError::kOwnError, "PreflightFrom",
                            preflight.Path() + ": " + ItemName("check", i, kept.Name) +
                                ": field 'level' must be pass, note or warn");
        }
        kept.Found = check.Text("found");
        kept.Fix = check.Text("fix");
        result.Checks.push_back(std::move(kept));
    }
    if (preflight.Integer("warnings", 0, static_cast<std::int64_t>(checks.size())) !=
        result.Warnings()) {
        throw QuelError(QuelError::kOwnError, "PreflightFrom",
                        preflight.Path() + ": field 'preflight.warnings' is not the number of "
                                           "checks that warn");
    }
    return result;
}
