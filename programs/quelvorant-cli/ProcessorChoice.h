#pragma once

#include "facts/CpuTopology.h"

#include <string>
#include <vector>

// The processor a single copy of the benchmark is pinned to: cpu when it is
// one of the available ones, else the first available processor of the core
// kind named (its kind, "performance" or "efficiency", or the system's name
// of it, e.g. "IntelAtom"); -1 when neither is asked for. A choice that
// cannot be met raises a CommandFailure that says why.
int ChooseProcessor(int cpu, const std::string& coreKind, const std::vector<int>& available,
                    const std::vector<CoreKind>& kinds);
