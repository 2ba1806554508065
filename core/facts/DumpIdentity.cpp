#include "facts/DumpIdentity.h"

namespace {

std::string bytesOf(std::initializer_list<std::uint32_t> words) {
    std::string text;
    for (const std::uint32_t word : words) {
        for (int byte = 0; byte < 4; ++byte) {
            text += static_cast<char>((word >> (8 * byte)) & 0xff);
        }
    }
    return text.substr(0, text.find('\0'));
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string()
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::optional<BaseFamilyModel> BaseFamilyModelFromCpuid(const CpuidAnswers& answers) {
    const CpuidAnswer* leaf1 = answers.Find(1);
    if (leaf1 == nullptr) {
        return std::nullopt;
    }
    const std::uint32_t eax = (*leaf1)[0];
    return BaseFamilyModel{static_cast<int>((eax >> 8) & 0xf), static_cast<int>((eax >> 4) & 0xf)};
}

CpuIdentity IdentityFromCpuid(const CpuidAnswers& answers) {
    CpuIdentity identity;
    if (const CpuidAnswer* leaf0 = answers.Find(0)) {
        identity.Vendor = bytesOf({(*leaf0)[1], (*leaf0)[3], (*leaf0)[2]});
    }
    const CpuidAnswer* ext0 = answers.Find(0x80000000u);
    if (ext0 != nullptr && (*ext0)[0] >= 0x80000004u) {
        std::string brand;
        for (std::uint32_t leaf = 0x80000002u; leaf <= 0x80000004u; ++leaf) {
            if (const CpuidAnswer* part = answers.Find(leaf)) {
                brand += bytesOf({(*part)[0], (*part)[1], (*part)[2], (*part)[3]});
            }
        }
        if (!trimmed(brand).empty()) {
            identity.Brand = trimmed(brand);
        }
    }
    if (const CpuidAnswer* leaf1 = answers.Find(1)) {
        const std::uint32_t eax = (*leaf1)[0];
        const int family = static_cast<int>((eax >> 8) & 0xf);
        const int model = static_cast<int>((eax >> 4) & 0xf);
        identity.Stepping = static_cast<int>(eax & 0xf);
        identity.Family = family == 0xf ? family + static_cast<int>((eax >> 20) & 0xff) : family;
        // Intel and VIA add the extended model in families 6 and 15, AMD
        // and Hygon in 15, Zhaoxin in 7 as well.
        const bool extended = family == 0x6 || family == 0x7 || family == 0xf;
        identity.Model = extended ? model + static_cast<int>(((eax >> 16) & 0xf) << 4) : model;
    }
    return identity;
}
