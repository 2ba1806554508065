#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Readings of the running system that tell what else the machine does
// while the benchmark is timed. Each reads under root (an empty root is
// "/"), so that tests can lay out a tree of their own.
namespace SystemReadings {

// The seconds all processors spent busy since boot (/proc/stat: user, nice,
// system, irq, softirq and steal time); 0 when the file cannot be read.
double BusySeconds(const std::string& root);
// The thermal throttling events counted since boot, of cores and packages
// together; none when the machine has no such counters.
std::optional<std::uint64_t> ThrottleEvents(const std::string& root);
// The distinct cpufreq frequency governors, in processor order; empty when
// the machine has no cpufreq.
std::vector<std::string> Governors(const std::string& root);

} // namespace SystemReadings
