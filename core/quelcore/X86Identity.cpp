#include "quelcore/X86Identity.h"

#include "quelcore/CacheSizes.h"

#include <libcpuid.h>
#include <string>

namespace {

// Feature codes answered from libcpuid's flags, one line a code.
struct FeatureFlag {
    std::int32_t Code;
    cpu_feature_t Flag;
};

constexpr FeatureFlag kFeatureFlags[] = {
    {5, CPU_FEATURE_FPU},       // Floating Point Unit On-Chip
    {6, CPU_FEATURE_VME},       // Virtual-8086 Mode Extensions
    {7, CPU_FEATURE_DE},        // Debugging Extensions
    {8, CPU_FEATURE_PSE},       // Page Size Extension
    {9, CPU_FEATURE_TSC},       // Time Stamp Counter
    {10, CPU_FEATURE_MSR},      // Model Specific Registers
    {11, CPU_FEATURE_PAE},      // Page Address Extensions
    {12, CPU_FEATURE_MCE},      // Machine Check Extensions
    {13, CPU_FEATURE_CX8},      // Compare & Exchange
    {14, CPU_FEATURE_APIC},     // APIC On-Chip
    {15, CPU_FEATURE_SEP},      // Fast System Call
    {16, CPU_FEATURE_MTRR},     // Memory Type Range Registers
    {17, CPU_FEATURE_PGE},      // Global Paging Extensions
    {18, CPU_FEATURE_MCA},      // Machine Check Architecture
    {19, CPU_FEATURE_CMOV},     // Conditional Move/Compare
    {20, CPU_FEATURE_PAT},      // Page Attribute Table
    {21, CPU_FEATURE_PSE36},    // Page Size Extension (36-bit)
    {22, CPU_FEATURE_FXSR},     // Fast Float Save & Restore
    {23, CPU_FEATURE_MMX},      // Intel MMX Instructions
    {24, CPU_FEATURE_MMXEXT},   // AMD MMX Extended Instructions
    {25, CPU_FEATURE_3DNOW},    // AMD 3DNow! Instructions
    {26, CPU_FEATURE_3DNOWEXT}, // AMD 3DNow! Extended Instructions
    {27, CPU_FEATURE_SSE},      // Intel SSE Instructions
    {28, CPU_FEATURE_SSE2},     // Intel SSE2 Instructions
    {29, CPU_FEATURE_PN},       // Processor Serial Number
    {30, CPU_FEATURE_CLFLUSH},  // Cache Line Flush
    {31, CPU_FEATURE_DTS},      // Debug Store
    {32, CPU_FEATURE_ACPI},     // Thermal & Clock Control
    {33, CPU_FEATURE_SS},       // Self-Snoop
    {34, CPU_FEATURE_HT},       // Hyper-Threading Technology
    {35, CPU_FEATURE_TM},       // Thermal Monitor
    {36, CPU_FEATURE_IA64},     // Intel 64-bit Architecture (IA-64)
    {37, CPU_FEATURE_LM},       // AMD x86-64 Long Mode (AA-64)
};

constexpr std::int32_t kCpuidPresentCode = 4;
constexpr std::int32_t kPowerNowCode = 38;
constexpr std::int32_t kAddressSizeCode = 42;

// Register columns of cpu_raw_data_t.
constexpr int kEax = 0;
constexpr int kEbx = 1;
constexpr int kEdx = 3;

// Leaf 0x80000007 EDX: frequency and voltage control and hardware P-states.
constexpr std::uint32_t kPowerNowBits = (1u << 1) | (1u << 2) | (1u << 7);

// The register of an extended leaf (0x80000000 + index), or 0 when the
// processor does not have that leaf.
std::uint32_t ExtendedLeaf(const cpu_raw_data_t& raw, unsigned index, int reg) {
    const std::uint32_t highest = raw.ext_cpuid[0][kEax];
    if (index >= MAX_EXT_CPUID_LEVEL || highest < 0x80000000u + index) {
        return 0;
    }
    return raw.ext_cpuid[index][reg];
}

std::int32_t CacheKB(std::int32_t fromCpuid, int level, const char* type) {
    if (fromCpuid > 0) {
        return fromCpuid;
    }
    return SysfsCacheKB(kSysfsCacheFolder, level, type).value_or(0);
}

} // namespace

std::optional<ProcessorIdentity> ReadX86Identity() {
    if (!cpuid_present()) {
        return std::nullopt;
    }
    cpu_raw_data_t raw{};
    cpu_id_t id{};
    if (cpuid_get_raw_data(&raw) < 0 || cpu_identify(&raw, &id) < 0) {
        return std::nullopt;
    }
    ProcessorIdentity identity;
    const std::uint32_t signature = raw.basic_cpuid[1][kEax];
    const std::uint32_t leaf1Ebx = raw.basic_cpuid[1][kEbx];
    identity.Type = static_cast<std::uint8_t>((signature >> 12) & 0x3u);
    identity.Family = ClampToByte(id.ext_family);
    identity.Model = ClampToByte(id.ext_model);
    identity.Stepping = ClampToByte(id.stepping);
    // Brand index, CLFLUSH line size in 8-byte units, logical processor count.
    identity.ExtInfo = {static_cast<std::uint8_t>(leaf1Ebx & 0xFFu),
                        static_cast<std::uint8_t>((leaf1Ebx >> 8) & 0xFFu),
                        static_cast<std::uint8_t>((leaf1Ebx >> 16) & 0xFFu)};
    // The brand string is padded with blanks to its 48 bytes on some
    // processors, before or after the name; the name is what lies between.
    const std::string brand = id.brand_str;
    const auto first = brand.find_first_not_of(' ');
    identity.Name = first == std::string::npos
                        ? std::string()
                        : brand.substr(first, brand.find_last_not_of(' ') - first + 1);
    identity.Vendor = id.vendor_str;

    identity.Caps[kCpuidPresentCode] = 1;
    for (const FeatureFlag& feature : kFeatureFlags) {
        identity.Caps[feature.Code] = id.flags[feature.Flag] ? 1 : 0;
    }
    identity.Caps[kPowerNowCode] =
        static_cast<std::int32_t>(ExtendedLeaf(raw, 7, kEdx) & kPowerNowBits);
    identity.Caps[kAddressSizeCode] =
        static_cast<std::int32_t>(ExtendedLeaf(raw, 8, kEax) & 0xFFFFu);
    identity.Caps[CacheCode::Data] = CacheKB(id.l1_data_cache, 1, "Data");
    identity.Caps[CacheCode::Instructions] = CacheKB(id.l1_instruction_cache, 1, "Instruction");
    identity.Caps[CacheCode::Level2] = CacheKB(id.l2_cache, 2, "Unified");
    return identity;
}

std::int32_t MeasureX86ClockMHz() {
    const int megahertz = cpu_clock_measure(50, 0);
    return megahertz > 0 ? megahertz : 0;
}
