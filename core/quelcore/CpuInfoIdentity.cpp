#include "quelcore/CpuInfoIdentity.h"

#include "quelcore/CacheSizes.h"
#include "quelcore/CpuInfoText.h"

#include <cstdio>

namespace {

struct Implementer {
    long long Code;
    const char* Name;
};

// ARM implementer codes of the main identification register.
constexpr Implementer kImplementers[] = {
    {0x41, "ARM"},       {0x42, "Broadcom"}, {0x43, "Cavium"}, {0x46, "Fujitsu"},
    {0x48, "HiSilicon"}, {0x4E, "NVIDIA"},   {0x50, "APM"},    {0x51, "Qualcomm"},
    {0x53, "Samsung"},   {0x61, "Apple"},    {0x69, "Intel"},  {0xC0, "Ampere"},
};

std::string ImplementerName(long long code) {
    for (const Implementer& implementer : kImplementers) {
        if (implementer.Code == code) {
            return implementer.Name;
        }
    }
    char text[24];
    std::snprintf(text, sizeof text, "0x%02llX", code);
    return text;
}

std::string ProcessorName(const std::string& cpuinfo, const std::string& vendor, long long part) {
    for (const char* key : {"model name", "Processor", "cpu model", "uarch", "cpu"}) {
        if (auto name = CpuInfoField(cpuinfo, key); name && !name->empty()) {
            return *name;
        }
    }
    if (vendor.empty()) {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s part 0x%03llX", vendor.c_str(), part);
    return text;
}

std::uint8_t Number(const std::string& cpuinfo, const char* key) {
    return ClampToByte(CpuInfoNumber(cpuinfo, key).value_or(0));
}

} // namespace

ProcessorIdentity CpuInfoIdentity(const std::string& cpuinfo, const std::string& cacheFolder) {
    ProcessorIdentity identity;
    const auto implementer = CpuInfoNumber(cpuinfo, "CPU implementer");
    const long long part = CpuInfoNumber(cpuinfo, "CPU part").value_or(0);
    identity.Vendor = implementer ? ImplementerName(*implementer)
                                  : CpuInfoField(cpuinfo, "vendor_id").value_or(std::string());
    identity.Name = ProcessorName(cpuinfo, identity.Vendor, part);
    identity.Family = Number(cpuinfo, "CPU architecture");
    identity.Model = Number(cpuinfo, "CPU variant");
    identity.Stepping = Number(cpuinfo, "CPU revision");
    identity.ExtInfo = {ClampToByte(implementer.value_or(0)), ClampToByte((part >> 8) & 0xFF),
                        ClampToByte(part & 0xFF)};
    identity.Caps[CacheCode::Data] = SysfsCacheKB(cacheFolder, 1, "Data").value_or(0);
    identity.Caps[CacheCode::Instructions] =
        SysfsCacheKB(cacheFolder, 1, "Instruction").value_or(0);
    identity.Caps[CacheCode::Level2] = SysfsCacheKB(cacheFolder, 2, "Unified").value_or(0);
    return identity;
}
