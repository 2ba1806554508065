#include "facts/LoadedProcessor.h"

#include "facts/DumpIdentity.h"
#include "quelcore/CacheSizes.h"
#include "quelcore/CpuInfoIdentity.h"
#include "quelcore/CpuInfoText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

constexpr std::int32_t kCpuidPresentCode = 4;
constexpr std::int32_t kPowerNowCode = 38;
constexpr std::int32_t kAddressSizeCode = 42;
constexpr std::int32_t kHyperThreadingCode = 34;

// A feature mark: its capability code, the CPUID register and bit that tell
// it, and the kernel's name of it in /proc/cpuinfo.
struct FeatureBit {
    std::int32_t Code;
    bool Extended; // leaf 0x80000001 instead of leaf 1
    int Bit;       // of EDX
    const char* Flag;
};

constexpr FeatureBit kFeatureBits[] = {
    {5, false, 0, "fpu"},       {6, false, 1, "vme"},       {7, false, 2, "de"},
    {8, false, 3, "pse"},       {9, false, 4, "tsc"},       {10, false, 5, "msr"},
    {11, false, 6, "pae"},      {12, false, 7, "mce"},      {13, false, 8, "cx8"},
    {14, false, 9, "apic"},     {15, false, 11, "sep"},     {16, false, 12, "mtrr"},
    {17, false, 13, "pge"},     {18, false, 14, "mca"},     {19, false, 15, "cmov"},
    {20, false, 16, "pat"},     {21, false, 17, "pse36"},   {29, false, 18, "pn"},
    {30, false, 19, "clflush"}, {31, false, 21, "dts"},     {32, false, 22, "acpi"},
    {23, false, 23, "mmx"},     {22, false, 24, "fxsr"},    {27, false, 25, "sse"},
    {28, false, 26, "sse2"},    {33, false, 27, "ss"},      {34, false, 28, "ht"},
    {35, false, 29, "tm"},      {36, false, 30, "ia64"},    {24, true, 22, "mmxext"},
    {37, true, 29, "lm"},       {26, true, 30, "3dnowext"}, {25, true, 31, "3dnow"},
};

// Leaf 0x80000007 EDX: frequency and voltage control and hardware P-states,
// as /proc/cpuinfo's "power management" names them.
constexpr std::pair<int, const char*> kPowerNowBits[] = {{1, "fid"}, {2, "vid"}, {7, "hwpstate"}};

std::uint32_t registerOf(const CpuidAnswer* answer, int index) {
    return answer != nullptr ? (*answer)[static_cast<std::size_t>(index)] : 0;
}

// Deterministic cache parameters (leaf 4, 0x8000001D): level and type in
// EAX, ways, partitions and line size in EBX, sets in ECX.
std::optional<std::int32_t> fromDescriptors(const CpuidAnswers& answers, std::uint32_t leaf,
                                            int level, int type) {
    for (std::uint32_t subleaf = 0; subleaf <= kMaxDumpIndex; ++subleaf) {
        const CpuidAnswer* cache = answers.FindReported(leaf, subleaf);
        if (cache == nullptr || ((*cache)[0] & 0x1f) == 0) {
            return std::nullopt;
        }
        const std::uint32_t eax = (*cache)[0];
        const std::uint32_t ebx = (*cache)[1];
        if (static_cast<int>(eax & 0x1f) == type && static_cast<int>((eax >> 5) & 0x7) == level) {
            const std::uint64_t bytes = (std::uint64_t{ebx >> 22} + 1) *
                                        (((ebx >> 12) & 0x3ff) + 1) * ((ebx & 0xfff) + 1) *
                                        (std::uint64_t{(*cache)[2]} + 1);
            return static_cast<std::int32_t>(std::min<std::uint64_t>(bytes / 1024, INT32_MAX));
        }
    }
    return std::nullopt;
}

std::int32_t cacheKB(const CpuidAnswers& answers, const std::string& cacheFolder, int level,
                     int type, const char* sysfsType) {
    if (const auto kb = CacheKBFromCpuid(answers, level, type); kb && *kb > 0) {
        return *kb;
    }
    return SysfsCacheKB(cacheFolder, level, sysfsType).value_or(0);
}

} // namespace

const char* FeatureFlagOfCode(std::int32_t code) {
    for (const FeatureBit& feature : kFeatureBits) {
        if (feature.Code == code) {
            return feature.Flag;
        }
    }
    return nullptr;
}

std::optional<std::int32_t> CacheKBFromCpuid(const CpuidAnswers& answers, int level, int type) {
    for (const std::uint32_t leaf : {4u, 0x8000001du}) {
        if (const auto kb = fromDescriptors(answers, leaf, level, type)) {
            return kb;
        }
    }
    // AMD's older leaves: L1 data in 0x80000005 ECX, instructions in EDX,
    // both in KB in bits 31:24; the unified L2 in 0x80000006 ECX 31:16.
    const CpuidAnswer* l1 = answers.FindReported(0x80000005u);
    const CpuidAnswer* l2 = answers.FindReported(0x80000006u);
    // VIA's Samuel 2 and Ezra (family 6, models 7 and 8) give the L2 in
    // bits 31:24 instead.
    const CpuIdentity id = IdentityFromCpuid(answers);
    const bool viaL2 =
        id.Vendor == "CentaurHauls" && id.Family == 6 && (id.Model == 7 || id.Model == 8);
    const std::uint32_t size = level == 1 && type == 1   ? registerOf(l1, 2) >> 24
                               : level == 1 && type == 2 ? registerOf(l1, 3) >> 24
                               : level == 2 && type == 3 ? registerOf(l2, 2) >> (viaL2 ? 24 : 16)
                                                         : 0;
    return size > 0 ? std::optional<std::int32_t>(static_cast<std::int32_t>(size)) : std::nullopt;
}

ProcessorIdentity ProcessorFromCpuid(const CpuidAnswers& answers, const std::string& cacheFolder) {
    ProcessorIdentity identity;
    const CpuIdentity id = IdentityFromCpuid(answers);
    const CpuidAnswer* leaf1 = answers.FindReported(1);
    const std::uint32_t signature = registerOf(leaf1, 0);
    const std::uint32_t leaf1Ebx = registerOf(leaf1, 1);
    identity.Type = static_cast<std::uint8_t>((signature >> 12) & 0x3u);
    identity.Family = ClampToByte(id.Family.value_or(0));
    identity.Model = ClampToByte(id.Model.value_or(0));
    identity.Stepping = ClampToByte(id.Stepping.value_or(0));
    // Brand index, CLFLUSH line size in 8-byte units, logical processor count.
    identity.ExtInfo = {static_cast<std::uint8_t>(leaf1Ebx & 0xFFu),
                        static_cast<std::uint8_t>((leaf1Ebx >> 8) & 0xFFu),
                        static_cast<std::uint8_t>((leaf1Ebx >> 16) & 0xFFu)};
    identity.Name = id.Brand.value_or(std::string());
    identity.Vendor = id.Vendor.value_or(std::string());
    identity.Caps[kCpuidPresentCode] = answers.Find(0) != nullptr ? 1 : 0;
    const std::uint32_t edx = registerOf(leaf1, 3);
    const std::uint32_t extEdx = registerOf(answers.FindReported(0x80000001u), 3);
    for (const FeatureBit& feature : kFeatureBits) {
        identity.Caps[feature.Code] = ((feature.Extended ? extEdx : edx) >> feature.Bit) & 1u;
    }
    // The multi-threading bit is set on single-threaded packages too; only
    // more than one logical processor per package is Hyper-Threading.
    if (((leaf1Ebx >> 16) & 0xFFu) <= 1) {
        identity.Caps[kHyperThreadingCode] = 0;
    }
    const std::uint32_t power = registerOf(answers.FindReported(0x80000007u), 3);
    for (const auto& [bit, name] : kPowerNowBits) {
        identity.Caps[kPowerNowCode] |= static_cast<std::int32_t>(power & (1u << bit));
    }
    identity.Caps[kAddressSizeCode] =
        static_cast<std::int32_t>(registerOf(answers.FindReported(0x80000008u), 0) & 0xFFFFu);
    identity.Caps[CacheCode::Data] = cacheKB(answers, cacheFolder, 1, 1, "Data");
    identity.Caps[CacheCode::Instructions] = cacheKB(answers, cacheFolder, 1, 2, "Instruction");
    identity.Caps[CacheCode::Level2] = cacheKB(answers, cacheFolder, 2, 3, "Unified");
    return identity;
}

ProcessorIdentity ProcessorFromCpuinfo(const std::string& cpuinfo, const std::string& cacheFolder,
                                       std::optional<std::uint64_t> midr) {
    ProcessorIdentity identity = CpuInfoIdentity(cpuinfo, cacheFolder, midr);
    const std::optional<std::string> flags = CpuInfoField(cpuinfo, "flags");
    if (!flags || !CpuInfoField(cpuinfo, "cpu family")) {
        return identity;
    }
    identity.Family = ClampToByte(CpuInfoNumber(cpuinfo, "cpu family").value_or(0));
    identity.Model = ClampToByte(CpuInfoNumber(cpuinfo, "model").value_or(0));
    identity.Stepping = ClampToByte(CpuInfoNumber(cpuinfo, "stepping").value_or(0));
    identity.ExtInfo = {};
    identity.Caps[kCpuidPresentCode] = 1;
    for (const FeatureBit& feature : kFeatureBits) {
        identity.Caps[feature.Code] = CpuInfoHasWord(*flags, feature.Flag) ? 1 : 0;
    }
    const std::string power = CpuInfoField(cpuinfo, "power management").value_or(std::string());
    for (const auto& [bit, name] : kPowerNowBits) {
        identity.Caps[kPowerNowCode] |= CpuInfoHasWord(power, name) ? 1 << bit : 0;
    }
    // "46 bits physical, 48 bits virtual"
    int physical = 0;
    int virtualBits = 0;
    const std::string sizes = CpuInfoField(cpuinfo, "address sizes").value_or(std::string());
    if (std::sscanf(sizes.c_str(), "%d bits physical, %d bits virtual", &physical, &virtualBits) ==
            2 &&
        physical > 0 && physical < 256 && virtualBits > 0 && virtualBits < 256) {
        identity.Caps[kAddressSizeCode] = physical | virtualBits << 8;
    }
    return identity;
}
