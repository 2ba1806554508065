#pragma once

#include "facts/CpuTopology.h"
#include "facts/CpuidDump.h"

#include <vector>

// The layout that a dump's CPUID answers tell: sockets, cores and logical
// processors, and on Intel's hybrid processors the kind of each core (leaf
// 0x1A). A dump of several logical processors is counted by their APIC IDs,
// split at the widths that leaf 0xB tells, or on older processors leaves 1
// and 4 (Intel) or 0x80000008 and 0x8000001E (AMD). A dump of one logical
// processor tells only its package's counts: one socket is assumed. No
// caches; core kinds only where the dump shows two kinds or more.
CpuTopology TopologyFromCpuid(const std::vector<CpuidAnswers>& cpus);
