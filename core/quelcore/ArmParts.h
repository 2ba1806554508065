#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The fields of an ARM processor's main identification register, MIDR_EL1.
struct Midr {
    unsigned Implementer = 0;  // bits 31:24, e.g. 0x41 for ARM
    unsigned Variant = 0;      // bits 23:20, the major revision ("r1")
    unsigned Architecture = 0; // bits 19:16
    unsigned Part = 0;         // bits 15:4, e.g. 0xd46
    unsigned Revision = 0;     // bits 3:0, the minor revision ("p1")
};

Midr DecodeMidr(std::uint64_t value);

// The register's fields from a block of /proc/cpuinfo ("CPU implementer",
// "CPU variant" ...); nothing where the block names no implementer.
std::optional<Midr> MidrOfCpuinfo(const std::string& block);

// The company that an implementer code names, e.g. "ARM", "Qualcomm"; the
// code as "0x4E" where the table lacks it.
std::string ArmImplementerName(unsigned implementer);

// The core's name, e.g. "Cortex-A510" or "Neoverse-N1"; nothing where the
// table lacks the part.
std::optional<std::string> ArmPartName(unsigned implementer, unsigned part);

// The part's name, else "<implementer> part 0xd46".
std::string ArmCoreName(const Midr& midr);

// The revision as ARM writes it: variant and revision, e.g. "r1p1".
std::string ArmStepping(const Midr& midr);
