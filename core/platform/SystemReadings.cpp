#include "platform/SystemReadings.h"

#include "platform/ProcessorFolders.h"
#include "platform/SystemFile.h"

#include <algorithm>
#include <sstream>
#include <unistd.h>

namespace SystemReadings {

double BusySeconds(const std::string& root) {
    // The first line: all processors' ticks in user, nice, system, idle,
    // iowait, irq, softirq and steal time.
    const auto line = SystemFile::Line(root, "/proc/stat");
    if (!line) {
        return 0.0;
    }
    std::istringstream fields(*line);
    std::string label;
    std::uint64_t ticks[8] = {};
    fields >> label;
    for (std::uint64_t& value : ticks) {
        fields >> value;
    }
    const std::uint64_t busy = ticks[0] + ticks[1] + ticks[2] + ticks[5] + ticks[6] + ticks[7];
    return static_cast<double>(busy) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

std::optional<std::uint64_t> ThrottleEvents(const std::string& root) {
    std::optional<std::uint64_t> events;
    for (const std::string& folder : ProcessorFolders(root)) {
        for (const char* counter : {"/thermal_throttle/core_throttle_count",
                                    "/thermal_throttle/package_throttle_count"}) {
            if (const auto value = SystemFile::Number(root, folder + counter)) {
                events = events.value_or(0) + *value;
            }
        }
    }
    return events;
}

std::vector<std::string> Governors(const std::string& root) {
    std::vector<std::string> governors;
    for (const std::string& folder : ProcessorFolders(root)) {
        const auto governor = SystemFile::Line(root, folder + "/cpufreq/scaling_governor");
        if (governor &&
            std::find(governors.begin(), governors.end(), *governor) == governors.end()) {
            governors.push_back(*governor);
        }
    }
    return governors;
}

} // namespace SystemReadings
