#pragma once

#include "facts/CpuidDump.h"
#include "quelcore/ProcessorIdentity.h"

#include <optional>
#include <string>

// What the processor-information library would answer on a machine known
// only from its raw data, made without libcpuid, which must not see data
// from elsewhere.

// From one logical processor's CPUID answers: leaf 1's type, numbers and
// bytes, the brand and vendor, the feature marks of leaves 1 and 0x80000001,
// and the caches that leaf 4 or 0x8000001D (else 0x80000005/6) describe,
// those of cacheFolder (sysfs) where CPUID tells none.
ProcessorIdentity ProcessorFromCpuid(const CpuidAnswers& answers, const std::string& cacheFolder);

// From /proc/cpuinfo text: as the library reads it on machines without
// CPUID, and on x86 the family, model and stepping, the feature marks of the
// "flags" line, the power management and the address sizes.
// On ARM, midr is sysfs's identification register of the first processor.
ProcessorIdentity ProcessorFromCpuinfo(const std::string& cpuinfo, const std::string& cacheFolder,
                                       std::optional<std::uint64_t> midr = std::nullopt);

// The kernel's and libcpuid's name of the feature that a capability code
// marks ("fpu", "mmxext", ...); nullptr for codes that are no single flag.
const char* FeatureFlagOfCode(std::int32_t code);

// The size in KB of the cache of that level and type (1 data, 2 instruction,
// 3 unified) that the CPUID answers describe; nothing where they do not.
std::optional<std::int32_t> CacheKBFromCpuid(const CpuidAnswers& answers, int level, int type);
