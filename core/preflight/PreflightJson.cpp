#include "preflight/PreflightJson.h"

nlohmann::json PreflightJson(const PreflightResult& result) {
    nlohmann::json checks = nlohmann::json::array();
    for (const PreflightCheck& check : result.Checks) {
        checks.push_back({{"name", check.Name},
                          {"level", LevelName(check.Level)},
                          {"found", check.Found},
                          {"fix", check.Fix}});
    }
    return {{"checks", checks}, {"warnings", result.Warnings()}};
}
