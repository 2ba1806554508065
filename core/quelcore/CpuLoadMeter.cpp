#include "quelcore/CpuLoadMeter.h"

#include "quelcore/HostFiles.h"

#include <array>
#include <cmath>
#include <sstream>

namespace {

// Fields of the "cpu" line: user nice system idle iowait irq softirq steal,
// then guest and guest_nice, which user and nice already contain.
constexpr std::size_t kCountedFields = 8;
constexpr std::size_t kIdle = 3;
constexpr std::size_t kIoWait = 4;

} // namespace

std::optional<CpuTimes> ParseCpuTimes(const std::string& procStat) {
    std::istringstream lines(procStat);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        if (name != "cpu") {
            continue;
        }
        std::array<std::uint64_t, kCountedFields> ticks{};
        std::size_t read = 0;
        while (read < ticks.size() && fields >> ticks[read]) {
            ++read;
        }
        if (read <= kIdle) {
            return std::nullopt;
        }
        CpuTimes times;
        for (std::size_t i = 0; i < read; ++i) {
            times.Total += ticks[i];
        }
        times.Busy = times.Total - ticks[kIdle] - ticks[kIoWait];
        return times;
    }
    return std::nullopt;
}

std::optional<std::int16_t> LoadPercent(const CpuTimes& previous, const CpuTimes& current) {
    if (current.Total <= previous.Total) {
        return std::nullopt;
    }
    const double total = static_cast<double>(current.Total - previous.Total);
    const double busy =
        current.Busy > previous.Busy ? static_cast<double>(current.Busy - previous.Busy) : 0.0;
    const double percent = std::round(100.0 * busy / total);
    return static_cast<std::int16_t>(percent > 100.0 ? 100.0 : percent);
}

CpuLoadMeter::CpuLoadMeter(std::string procStatPath) : path_(std::move(procStatPath)) {}

std::int16_t CpuLoadMeter::Sample() {
    const auto text = ReadTextFile(path_);
    const auto current = text ? ParseCpuTimes(*text) : std::nullopt;
    std::lock_guard<std::mutex> lock(mutex_);
    if (!current) {
        return lastLoad_;
    }
    if (const auto load = LoadPercent(previous_, *current)) {
        lastLoad_ = *load;
    }
    previous_ = *current;
    return lastLoad_;
}
