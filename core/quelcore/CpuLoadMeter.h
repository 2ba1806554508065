#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

// The whole machine's processor time, in clock ticks, from the "cpu" line of
// /proc/stat.
struct CpuTimes {
    std::uint64_t Busy = 0;
    std::uint64_t Total = 0;
};

// Reads the summary line of /proc/stat text; nothing when it is missing.
std::optional<CpuTimes> ParseCpuTimes(const std::string& procStat);

// The load in percent (0 to 100, rounded) between two samples; nothing when
// no time passed between them.
std::optional<std::int16_t> LoadPercent(const CpuTimes& previous, const CpuTimes& current);

// Measures the load since the previous call. The first call measures since
// the machine started. Safe to call from several threads.
class CpuLoadMeter {
  public:
    explicit CpuLoadMeter(std::string procStatPath = "/proc/stat");

    std::int16_t Sample();

  private:
    std::mutex mutex_;
    const std::string path_;
    CpuTimes previous_;
    std::int16_t lastLoad_ = 0;
};
