#pragma once

#include "quelcore/ProcessorIdentity.h"

#include <string>

// The processor as /proc/cpuinfo describes it on machines without CPUID
// (ARM and others): name, numbers and vendor from the first processor's
// block, cache sizes from the given sysfs folder, no feature marks.
// ARM's fields map so: family = "CPU architecture", model = "CPU variant",
// stepping = "CPU revision"; the three extra bytes hold the implementer and
// the high and low byte of "CPU part".
ProcessorIdentity CpuInfoIdentity(const std::string& cpuinfo, const std::string& cacheFolder);
