#include "facts/MachineWatch.h"

#include "platform/SystemReadings.h"

#include <algorithm>
#include <chrono>
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
    reading.busySeconds = SystemReadings::BusySeconds(root_);
    rusage own{};
    ::getrusage(RUSAGE_SELF, &own);
    reading.ownSeconds = secondsOf(own.ru_utime) + secondsOf(own.ru_stime);
    reading.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    reading.throttle = SystemReadings::ThrottleEvents(root_);
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
    const std::vector<std::string> governors = SystemReadings::Governors(root_);
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
