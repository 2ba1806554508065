#pragma once

#include "quelcore/ArmParts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One kind of core of a 64-bit ARM processor: the cores that answer the same
// identification register.
struct ArmCoreKind {
    Midr Register;
    std::string Name;     // e.g. "Cortex-A510"
    std::string Stepping; // e.g. "r1p1"
    std::string Cpus;     // e.g. "0-2"
    unsigned Cores = 0;
    // The scheduler's relative capacity (cpu_capacity, up to 1024) and the
    // highest maximum clock of the kind's cores, where the kernel tells.
    std::optional<unsigned> Capacity;
    std::optional<std::uint32_t> MaxMHz;
};

// What a 64-bit ARM processor is: no CPUID, but an identification register
// per core and the features the kernel reports.
struct ArmProcessor {
    std::string Vendor; // the implementer's name, e.g. "ARM"
    // From the most to the least capable (cpu_capacity, then clock); in
    // processor order where the kernel tells neither.
    std::vector<ArmCoreKind> Kinds;
    // The kernel's names, e.g. "fp asimd aes ..."; nothing where unknown.
    std::optional<std::vector<std::string>> Features;
};

// The processor under root: each core's register from sysfs's
// regs/identification/midr_el1, else from its block of proc/cpuinfo; the
// features given (the running machine's) or else proc/cpuinfo's Features.
// Nothing where no core tells an ARM register.
std::optional<ArmProcessor> ReadArmProcessor(const std::string& root,
                                             std::optional<std::vector<std::string>> features);

// Whether a /proc/cpuinfo describes a 32-bit ARM processor (ARMv7 and
// older), which this program does not support.
bool Is32BitArm(const std::string& cpuinfo);
