#pragma once

#include "preflight/PreflightCheck.h"

#include <string>

// Whether the control group of this process (root/proc/self/cgroup), or one
// above it, may use only part of the processors: cpu.max on cgroup v2,
// cpu.cfs_quota_us and cpu.cfs_period_us on v1, under root/sys/fs/cgroup.
PreflightCheck CpuQuotaCheck(const std::string& root);
