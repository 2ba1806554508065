#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// EAX, EBX, ECX and EDX of one CPUID leaf and subleaf.
using CpuidAnswer = std::array<std::uint32_t, 4>;

// The CPUID answers of one logical processor, as a dump holds them.
struct CpuidAnswers {
    std::map<std::pair<std::uint32_t, std::uint32_t>, CpuidAnswer> Leaves;
    // The register state the operating system enabled, where the dump tells.
    std::optional<std::uint64_t> Xcr0;

    // The answer to leaf and subleaf; nullptr where the dump has none.
    const CpuidAnswer* Find(std::uint32_t leaf, std::uint32_t subleaf = 0) const;
    // The same, but only for a leaf the processor reports it has: at most
    // the maximum that leaf 0 or leaf 0x80000000 tells. Above it, processors
    // repeat another leaf's answer.
    const CpuidAnswer* FindReported(std::uint32_t leaf, std::uint32_t subleaf = 0) const;
};

// Limits on a dump that comes from elsewhere: a machine has a few thousand
// logical processors at most, and a processor a few hundred answers.
inline constexpr std::size_t kMaxDumpBytes = 16u << 20;
inline constexpr std::size_t kMaxDumpCpus = 8192;
inline constexpr std::uint32_t kMaxDumpIndex = 1023;

// Reads libcpuid's raw text format (what `cpuid_tool --save` writes): one
// "Logical CPU #N" line per processor, then lines such as
// "basic_cpuid[1]=000306a9 02100800 7fbae3ff bfebfbff" (leaf 1),
// "ext_cpuid[1]=..." (leaf 0x80000001) and "intel_fn4[2]=..." (leaf 4,
// subleaf 2); a dump without "Logical CPU" lines is one processor. The
// lines that the format lacks and this program's bundles keep beside it are
// read too: "leaf7_subleaf1=...", "hypervisor_leaf=..." (leaf 0x40000000)
// and "xcr0=" with 16 hexadecimal digits. Raises a
// QuelError naming the dump (name), the line and what is wrong for anything
// else, and for a dump that passes the limits above.
std::vector<CpuidAnswers> ParseCpuidDump(const std::string& text, const std::string& name);
