#include "preflight/ThermalChecks.h"

#include "platform/SystemFile.h"

#include <array>
#include <cstdio>
#include <filesystem>

namespace {

// The hwmon drivers that measure the processor itself.
constexpr std::array<const char*, 5> kProcessorSensors = {"coretemp", "k10temp", "zenpower",
                                                          "cpu_thermal", "soc_thermal"};
constexpr double kHot = 85.0;
constexpr double kNearCritical = 5.0;

bool isProcessorSensor(const std::string& name) {
    for (const char* sensor : kProcessorSensors) {
        if (name == sensor) {
            return true;
        }
    }
    return false;
}

std::string degrees(double celsius) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f °C", celsius);
    return text;
}

constexpr const char* kCool = "let the processor cool down, then check again";

} // namespace

PreflightCheck TemperatureCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "temperature";
    const std::string hwmon = "/sys/class/hwmon";
    std::optional<double> hottest;
    std::string sensor;
    std::optional<double> critical;
    bool hot = false;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + hwmon, error)) {
        const std::string folder = hwmon + "/" + entry.path().filename().string();
        const auto name = SystemFile::Line(root, folder + "/name");
        if (!name || !isProcessorSensor(*name)) {
            continue;
        }
        for (int i = 1; i <= 64; ++i) {
            const std::string temp = folder + "/temp" + std::to_string(i);
            const auto input = SystemFile::Number(root, temp + "_input");
            if (!input) {
                continue;
            }
            const double celsius = static_cast<double>(*input) / 1000.0;
            const auto crit = SystemFile::Number(root, temp + "_crit");
            const double limit = crit ? static_cast<double>(*crit) / 1000.0 - kNearCritical : kHot;
            hot = hot || celsius >= kHot || celsius >= limit;
            if (!hottest || celsius > *hottest) {
                hottest = celsius;
                sensor = *name;
                critical = crit ? std::optional<double>(static_cast<double>(*crit) / 1000.0)
                                : std::nullopt;
            }
        }
    }
    if (!hottest) {
        check.Found = "not available here (no processor temperature sensor)";
        return check;
    }
    check.Found = "hottest " + degrees(*hottest) + " (" + sensor +
                  (critical ? ", critical " + degrees(*critical) : "") + ")";
    if (hot) {
        check.Level = CheckLevel::Warn;
        check.Fix = kCool;
    }
    return check;
}

PreflightCheck ThrottleCheck(std::optional<std::uint64_t> before,
                             std::optional<std::uint64_t> after, double seconds) {
    PreflightCheck check;
    check.Name = "throttle";
    if (!before || !after) {
        check.Found = "not available here (no thermal throttle counters)";
        return check;
    }
    char found[96];
    const std::uint64_t rose = *after > *before ? *after - *before : 0;
    std::snprintf(found, sizeof found, "%llu throttle events in %.1f s, %llu since boot",
                  static_cast<unsigned long long>(rose), seconds,
                  static_cast<unsigned long long>(*after));
    check.Found = found;
    if (rose > 0) {
        check.Level = CheckLevel::Warn;
        check.Fix = kCool;
    }
    return check;
}
