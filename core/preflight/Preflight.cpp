#include "preflight/Preflight.h"

#include "platform/SystemReadings.h"
#include "preflight/ClockChecks.h"
#include "preflight/CpuQuotaCheck.h"
#include "preflight/PowerCheck.h"
#include "preflight/ProcessLoadCheck.h"
#include "preflight/ProcessSample.h"
#include "preflight/ProcessorSetChecks.h"
#include "preflight/ThermalChecks.h"

#include <chrono>
#include <thread>

namespace {

PreflightCheck hypervisorCheck(const std::optional<std::string>& hypervisor) {
    PreflightCheck check;
    check.Name = "hypervisor";
    if (hypervisor) {
        check.Level = CheckLevel::Note;
        check.Found = "runs on " + *hypervisor + ": other guests of the host share its processors";
    } else {
        check.Found = "no hypervisor found";
    }
    return check;
}

} // namespace

PreflightResult RunPreflight(const std::string& root, int selfPid,
                             const std::optional<std::string>& hypervisor,
                             const std::function<double()>& wait) {
    const ProcessSample before = ProcessSample::Take(root);
    const auto throttleBefore = SystemReadings::ThrottleEvents(root);
    const double seconds = wait();
    const ProcessSample after = ProcessSample::Take(root);
    const auto throttleAfter = SystemReadings::ThrottleEvents(root);

    PreflightResult result;
    result.Checks = {ProcessLoadCheck(before, after, seconds, selfPid, root),
                     CpuQuotaCheck(root),
                     GovernorCheck(root),
                     PowerCheck(root),
                     TemperatureCheck(root),
                     ThrottleCheck(throttleBefore, throttleAfter, seconds),
                     hypervisorCheck(hypervisor),
                     SmtCheck(root),
                     BoostCheck(root),
                     IsolationCheck(root)};
    return result;
}

double WaitOneSecond() {
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
