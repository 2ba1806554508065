#include "MachineWatch.h"

#include "ClockFrequencies.h"
#include "ProcessorFolders.h"
#include "SystemFile.h"

#include <algorithm>
#include <chrono>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double secondsOf(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

} // namespace

MachineWatch::MachineWatch(std::string root) : root_(std::move(root)) {}

MachineWatch::Reading MachineWatch::read() const {
    Reading reading;
    // The first line of /proc/stat: all processors' ticks in user, nice,
    // system, idle, iowait, irq, softirq and steal time.
    if (const auto line = SystemFile::Line(root_, "/proc/stat")) {
        std::istringstream fields(*line);
        std::string label;
        std::uint64_t ticks[8] = {};
        fields >> label;
        for (std::uint64_t& value : ticks) {
            fields >> value;
        }
        const std::uint64_t busy = ticks[0] + ticks[1] + ticks[2] + ticks[5] + ticks[6] + ticks[7];
        reading.busySeconds =
            static_cast<double>(busy) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    }
    rusage own{};
    ::getrusage(RUSAGE_SELF, &own);
    reading.ownSeconds = secondsOf(own.ru_utime) + secondsOf(own.ru_stime);
    reading.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    for (const std::string& folder : ProcessorFolders(root_)) {
        for (const char* counter : {"/thermal_throttle/core_throttle_count",
                                    "/thermal_throttle/package_throttle_count"}) {
            if (const auto value = SystemFile::Number(root_, folder + counter)) {
                reading.throttle = reading.throttle.value_or(0) + *value;
            }
        }
    }
    return reading;
}

void MachineWatch::Start() {
    start_ = read();
}

void MachineWatch::Stop() {
    const Reading end = read();
    otherSeconds_ += std::max(0.0, (end.busySeconds - start_.busySeconds) -
                                       (end.ownSeconds - start_.ownSeconds));
    wallSeconds_ += end.wallSeconds - start_.wallSeconds;
    if (end.throttle && start_.throttle) {
        throttleEvents_ = throttleEvents_.value_or(0) + (*end.throttle - *start_.throttle);
    }
}

double MachineWatch::OtherLoadPercent() const {
    return wallSeconds_ > 0.0 ? 100.0 * otherSeconds_ / wallSeconds_ : 0.0;
}

std::optional<std::string> MachineWatch::Governor() const {
    const std::vector<std::string> governors = ReadClockFrequencies(root_).Governors;
    if (governors.empty()) {
        return std::nullopt;
    }
    std::string joined;
    for (const std::string& governor : governors) {
        joined += (joined.empty() ? "" : ",") + governor;
    }
    return joined;
}

std::optional<std::uint64_t> MachineWatch::ThrottleEvents() const {
    return throttleEvents_;
}
