#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The processors' clocks as cpufreq in sysfs reports them. A figure that no
// processor reports stays empty: nothing is estimated.
struct ClockFrequencies {
    // The highest base clock (Intel's base_frequency) of any processor.
    std::optional<std::uint32_t> BaseMHz;
    // The highest maximum clock (cpuinfo_max_freq) of any processor.
    std::optional<std::uint32_t> MaxMHz;
    // The mean of the processors' current clocks (scaling_cur_freq).
    std::optional<std::uint32_t> CurrentMHz;
    // The distinct frequency governors, in processor order; empty when
    // cpufreq is absent.
    std::vector<std::string> Governors;
};

// Reads cpu0, cpu1, ... under root + /sys/devices/system/cpu.
ClockFrequencies ReadClockFrequencies(const std::string& root);
