#pragma once

#include "facts/CpuidDump.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The CPUID answers of one logical processor that libcpuid's raw text
// format holds, and what it lacks: leaf 7 subleaf 1, the hypervisor's leaf
// and XCR0.
struct ProcessorCpuid {
    unsigned Cpu = 0;                  // the operating system's number of the processor
    std::vector<CpuidAnswer> Basic;    // leaves 0, 1, ..., subleaf 0
    std::vector<CpuidAnswer> Extended; // leaves 0x80000000, 0x80000001, ...
    // Subleaves 0, 1, ... of leaves 4, 0xB, 0x12, 0x14 and 0x8000001D.
    std::vector<CpuidAnswer> Leaf4, Leaf0B, Leaf12, Leaf14, Leaf8000001D;
    std::optional<CpuidAnswer> Leaf7Subleaf1;
    // Leaf 0x40000000, the hypervisor's signature, where leaf 1 says one runs.
    std::optional<CpuidAnswer> Hypervisor;
    std::optional<std::uint64_t> Xcr0; // where the operating system enabled XSAVE
};

// Answers leaf and subleaf on the processor the thread runs on.
using CpuidQuery = std::function<CpuidAnswer(std::uint32_t leaf, std::uint32_t subleaf)>;

// At most this many basic and extended leaves and subleaves of one leaf are
// asked for, whatever a processor claims.
inline constexpr std::uint32_t kMaxBasicLeaves = 0x40;
inline constexpr std::uint32_t kMaxExtendedLeaves = 0x40;
inline constexpr std::uint32_t kMaxSubleaves = 64;

// The leaves a processor reports through cpuid: the basic and extended ones
// up to the highest that leaves 0 and 0x80000000 name, and the subleaves of
// each family up to the answer that ends it, leaf 7 subleaf 1 where leaf 7
// names it and leaf 0x40000000 where leaf 1 says a hypervisor runs. Cpu and
// Xcr0 stay empty.
ProcessorCpuid WalkCpuid(const CpuidQuery& cpuid);

// Every logical processor's answers, asked on each processor in turn with
// the thread pinned to it; the thread's affinity is restored afterwards.
// Processors the thread may not run on are left out; none on processors
// other than x86.
std::vector<ProcessorCpuid> ReadEveryProcessorsCpuid();
