#pragma once

#include "preflight/PreflightCheck.h"

#include <string>

// The processors' clock settings under root/sys/devices/system/cpu.

// Whether every processor's cpufreq governor is "performance"; any other
// governor lets the clock wander under the benchmark.
PreflightCheck GovernorCheck(const std::string& root);
// Whether the clock may boost above its base (intel_pstate/no_turbo is 0 or
// cpufreq/boost is 1): results then depend on temperature and load.
PreflightCheck BoostCheck(const std::string& root);
