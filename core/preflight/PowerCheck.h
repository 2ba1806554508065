#pragma once

#include "preflight/PreflightCheck.h"

#include <string>

// Whether the machine runs on battery: a mains supply that is offline or a
// battery that is discharging, under root/sys/class/power_supply.
PreflightCheck PowerCheck(const std::string& root);
