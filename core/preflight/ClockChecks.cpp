#include "preflight/ClockChecks.h"

#include "platform/SystemFile.h"
#include "platform/SystemReadings.h"

#include <vector>

PreflightCheck GovernorCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "governor";
    const std::vector<std::string> governors = SystemReadings::Governors(root);
    if (governors.empty()) {
        check.Found = "not available here (no cpufreq)";
        return check;
    }
    std::string names;
    for (const std::string& governor : governors) {
        names += (names.empty() ? "" : ", ") + governor;
    }
    check.Found = "frequency governor " + names;
    if (governors != std::vector<std::string>{"performance"}) {
        check.Level = CheckLevel::Warn;
        check.Fix = "sudo cpupower frequency-set -g performance";
    }
    return check;
}

PreflightCheck BoostCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "boost";
    const std::string pstate = "/sys/devices/system/cpu/intel_pstate/no_turbo";
    const std::string cpufreq = "/sys/devices/system/cpu/cpufreq/boost";
    if (const auto noTurbo = SystemFile::Number(root, pstate)) {
        check.Found = *noTurbo == 0 ? "turbo on (intel_pstate)" : "turbo off (intel_pstate)";
        if (*noTurbo == 0) {
            check.Level = CheckLevel::Note;
            check.Fix = "echo 1 | sudo tee " + pstate;
        }
    } else if (const auto boost = SystemFile::Number(root, cpufreq)) {
        check.Found = *boost == 1 ? "boost on (cpufreq)" : "boost off (cpufreq)";
        if (*boost == 1) {
            check.Level = CheckLevel::Note;
            check.Fix = "echo 0 | sudo tee " + cpufreq;
        }
    } else {
        check.Found = "not available here (no intel_pstate or cpufreq boost switch)";
    }
    return check;
}
