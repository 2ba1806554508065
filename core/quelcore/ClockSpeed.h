#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where the kernel tells the first processor's clock.
struct ClockSources {
    std::string CpufreqFolder = "/sys/devices/system/cpu/cpu0/cpufreq";
    std::string CpuInfoPath = "/proc/cpuinfo";
};

// The clock in MHz as the kernel reports it, in this order of preference:
// the current frequency of cpufreq, "cpu MHz" of /proc/cpuinfo, the maximum
// frequency of cpufreq. Nothing when none of them is readable.
std::optional<std::int32_t> KernelClockMHz(const ClockSources& sources);

// A clock in MHz as the 16-bit answer of the library: 0 to 32767.
std::int16_t ClockAnswer(std::int32_t megahertz);
