#pragma once

#include "quelcore/ProcessorIdentity.h"

#include <cstdint>
#include <optional>

// The processor as CPUID describes it, through libcpuid. The caches that
// CPUID leaves undetermined come from sysfs. Nothing when CPUID cannot be
// read.
std::optional<ProcessorIdentity> ReadX86Identity();

// The clock measured with the time-stamp counter over a short interval, in
// MHz; for machines whose kernel does not report one.
std::int32_t MeasureX86ClockMHz();
