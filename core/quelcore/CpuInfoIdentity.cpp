#include "quelcore/CpuInfoIdentity.h"

#include "quelcore/ArmParts.h"
#include "quelcore/CacheSizes.h"
#include "quelcore/CpuInfoText.h"

#include <sstream>

namespace {

constexpr std::int32_t kFpuCode = 5;

std::string ProcessorName(const std::string& cpuinfo, const std::optional<Midr>& midr) {
    for (const char* key : {"model name", "Processor", "cpu model", "uarch", "cpu"}) {
        if (auto name = CpuInfoField(cpuinfo, key); name && !name->empty()) {
            return *name;
        }
    }
    return midr ? ArmCoreName(*midr) : std::string();
}

} // namespace

std::optional<std::uint64_t> ParseMidr(const std::string& text) {
    std::istringstream stream(text);
    std::string word;
    stream >> word;
    if (word.size() < 3 || word.size() > 18 || word.compare(0, 2, "0x") != 0 ||
        word.find_first_not_of("0123456789abcdefABCDEF", 2) != std::string::npos) {
        return std::nullopt;
    }
    return std::stoull(word.substr(2), nullptr, 16);
}

ProcessorIdentity CpuInfoIdentity(const std::string& cpuinfo, const std::string& cacheFolder,
                                  std::optional<std::uint64_t> midrValue) {
    ProcessorIdentity identity;
    const std::optional<Midr> midr =
        midrValue ? std::optional<Midr>(DecodeMidr(*midrValue)) : MidrOfCpuinfo(cpuinfo);
    identity.Vendor = midr ? ArmImplementerName(midr->Implementer)
                           : CpuInfoField(cpuinfo, "vendor_id").value_or(std::string());
    identity.Name = ProcessorName(cpuinfo, midr);
    if (midr) {
        identity.Family = ClampToByte(midr->Implementer);
        identity.Model = ClampToByte(midr->Part & 0xFF);
        identity.Stepping = ClampToByte(midr->Revision);
        identity.ExtInfo = {ClampToByte(midr->Variant), ClampToByte(midr->Part >> 8),
                            ClampToByte(midr->Part & 0xFF)};
        identity.Caps[kFpuCode] =
            CpuInfoHasWord(CpuInfoField(cpuinfo, "Features").value_or(std::string()), "fp") ? 1 : 0;
    }
    identity.Caps[CacheCode::Data] = SysfsCacheKB(cacheFolder, 1, "Data").value_or(0);
    identity.Caps[CacheCode::Instructions] =
        SysfsCacheKB(cacheFolder, 1, "Instruction").value_or(0);
    identity.Caps[CacheCode::Level2] = SysfsCacheKB(cacheFolder, 2, "Unified").value_or(0);
    return identity;
}
