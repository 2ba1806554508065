#pragma once

#include "preflight/PreflightCheck.h"

#include <cstdint>
#include <optional>
#include <string>

// The processor's heat.

// Whether a processor sensor of root/sys/class/hwmon (coretemp, k10temp,
// cpu_thermal ...) reads 85 °C or more, or comes within 5 °C of its critical
// temperature.
PreflightCheck TemperatureCheck(const std::string& root);
// Whether the thermal throttle counters rose between two readings taken
// seconds apart; none where the machine has no counters.
PreflightCheck ThrottleCheck(std::optional<std::uint64_t> before,
                             std::optional<std::uint64_t> after, double seconds);
