#pragma once

#include "preflight/PreflightResult.h"

#include <functional>
#include <optional>
#include <string>

// What can spoil a benchmark on this machine now, read under root (an empty
// root is "/") and changing nothing. The load and the throttle counters are
// sampled twice, around wait, which returns the seconds it waited; tests
// change their fake tree there instead. selfPid is the process whose own load
// does not count; hypervisor is who runs the machine, as the machine's facts
// tell it (none on a machine of its own).
PreflightResult RunPreflight(const std::string& root, int selfPid,
                             const std::optional<std::string>& hypervisor,
                             const std::function<double()>& wait);

// Sleeps about a second and returns the seconds that passed.
double WaitOneSecond();
