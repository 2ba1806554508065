#include "quelcore/ArmParts.h"

#include "quelcore/CpuInfoText.h"

#include <cstdio>

namespace {

struct Implementer {
    unsigned Code;
    const char* Name;
};

constexpr Implementer kImplementers[] = {
    {0x41, "ARM"},       {0x42, "Broadcom"},  {0x43, "Cavium"},   {0x44, "DEC"},
    {0x46, "Fujitsu"},   {0x48, "HiSilicon"}, {0x49, "Infineon"}, {0x4D, "Motorola"},
    {0x4E, "NVIDIA"},    {0x50, "APM"},       {0x51, "Qualcomm"}, {0x53, "Samsung"},
    {0x56, "Marvell"},   {0x61, "Apple"},     {0x66, "Faraday"},  {0x69, "Intel"},
    {0x6D, "Microsoft"}, {0x70, "Phytium"},   {0xC0, "Ampere"},
};

struct Part {
    unsigned Implementer;
    unsigned Code;
    const char* Name;
};

// Cores in use on 64-bit Linux machines: phones, boards, laptops, servers.
constexpr Part kParts[] = {
    {0x41, 0xd01, "Cortex-A32"},      {0x41, 0xd02, "Cortex-A34"},
    {0x41, 0xd03, "Cortex-A53"},      {0x41, 0xd04, "Cortex-A35"},
    {0x41, 0xd05, "Cortex-A55"},      {0x41, 0xd06, "Cortex-A65"},
    {0x41, 0xd07, "Cortex-A57"},      {0x41, 0xd08, "Cortex-A72"},
    {0x41, 0xd09, "Cortex-A73"},      {0x41, 0xd0a, "Cortex-A75"},
    {0x41, 0xd0b, "Cortex-A76"},      {0x41, 0xd0c, "Neoverse-N1"},
    {0x41, 0xd0d, "Cortex-A77"},      {0x41, 0xd0e, "Cortex-A76AE"},
    {0x41, 0xd40, "Neoverse-V1"},     {0x41, 0xd41, "Cortex-A78"},
    {0x41, 0xd42, "Cortex-A78AE"},    {0x41, 0xd43, "Cortex-A65AE"},
    {0x41, 0xd44, "Cortex-X1"},       {0x41, 0xd46, "Cortex-A510"},
    {0x41, 0xd47, "Cortex-A710"},     {0x41, 0xd48, "Cortex-X2"},
    {0x41, 0xd49, "Neoverse-N2"},     {0x41, 0xd4a, "Neoverse-E1"},
    {0x41, 0xd4b, "Cortex-A78C"},     {0x41, 0xd4c, "Cortex-X1C"},
    {0x41, 0xd4d, "Cortex-A715"},     {0x41, 0xd4e, "Cortex-X3"},
    {0x41, 0xd4f, "Neoverse-V2"},     {0x41, 0xd80, "Cortex-A520"},
    {0x41, 0xd81, "Cortex-A720"},     {0x41, 0xd82, "Cortex-X4"},
    {0x41, 0xd84, "Neoverse-V3"},     {0x41, 0xd85, "Cortex-X925"},
    {0x41, 0xd87, "Cortex-A725"},     {0x41, 0xd8e, "Neoverse-N3"},
    {0x42, 0x516, "Vulcan"},          {0x43, 0x0a1, "ThunderX 88XX"},
    {0x43, 0x0a2, "ThunderX 81XX"},   {0x43, 0x0a3, "ThunderX 83XX"},
    {0x43, 0x0af, "ThunderX2 99xx"},  {0x43, 0x0b8, "ThunderX3 T110"},
    {0x46, 0x001, "A64FX"},           {0x48, 0xd01, "TaiShan-v110"},
    {0x48, 0xd02, "TaiShan-v120"},    {0x4e, 0x003, "Denver 2"},
    {0x4e, 0x004, "Carmel"},          {0x50, 0x000, "X-Gene"},
    {0x51, 0x001, "Oryon"},           {0x51, 0x800, "Falkor V1/Kryo"},
    {0x51, 0x801, "Kryo V2"},         {0x51, 0x802, "Kryo 3XX Gold"},
    {0x51, 0x803, "Kryo 3XX Silver"}, {0x51, 0x804, "Kryo 4XX Gold"},
    {0x51, 0x805, "Kryo 4XX Silver"}, {0x51, 0xc00, "Falkor"},
    {0x51, 0xc01, "Saphira"},         {0x53, 0x001, "Exynos-M1"},
    {0x53, 0x002, "Exynos-M3"},       {0x61, 0x022, "Icestorm"},
    {0x61, 0x023, "Firestorm"},       {0x61, 0x032, "Blizzard"},
    {0x61, 0x033, "Avalanche"},       {0x70, 0x662, "FTC662"},
    {0x70, 0x663, "FTC663"},          {0xc0, 0xac3, "Ampere-1"},
    {0xc0, 0xac4, "Ampere-1a"},
};

} // namespace

Midr DecodeMidr(std::uint64_t value) {
    return {static_cast<unsigned>((value >> 24) & 0xff), static_cast<unsigned>((value >> 20) & 0xf),
            static_cast<unsigned>((value >> 16) & 0xf), static_cast<unsigned>((value >> 4) & 0xfff),
            static_cast<unsigned>(value & 0xf)};
}

std::optional<Midr> MidrOfCpuinfo(const std::string& block) {
    const auto implementer = CpuInfoNumber(block, "CPU implementer");
    if (!implementer) {
        return std::nullopt;
    }
    const auto field = [&block](const char* key, long long mask) {
        return static_cast<unsigned>(CpuInfoNumber(block, key).value_or(0) & mask);
    };
    return Midr{static_cast<unsigned>(*implementer & 0xff), field("CPU variant", 0xf),
                field("CPU architecture", 0xf), field("CPU part", 0xfff),
                field("CPU revision", 0xf)};
}

std::string ArmImplementerName(unsigned implementer) {
    for (const Implementer& known : kImplementers) {
        if (known.Code == implementer) {
            return known.Name;
        }
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", implementer & 0xffu);
    return text;
}

std::optional<std::string> ArmPartName(unsigned implementer, unsigned part) {
    for (const Part& known : kParts) {
        if (known.Implementer == implementer && known.Code == part) {
            return std::string(known.Name);
        }
    }
    return std::nullopt;
}

std::string ArmCoreName(const Midr& midr) {
    if (auto name = ArmPartName(midr.Implementer, midr.Part)) {
        return *name;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s part 0x%03x", ArmImplementerName(midr.Implementer).c_str(),
                  midr.Part);
    return text;
}

std::string ArmStepping(const Midr& midr) {
    return "r" + std::to_string(midr.Variant) + "p" + std::to_string(midr.Revision);
}
