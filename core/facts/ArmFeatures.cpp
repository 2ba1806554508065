#include "facts/ArmFeatures.h"

#include <array>

#if defined(__aarch64__)
#include <sys/auxv.h>
#endif

namespace {

// The kernel's names of AT_HWCAP's bits 0 to 31 and AT_HWCAP2's bits 0 to
// 33 on arm64; an empty name for a bit without one.
constexpr std::array<const char*, 32> kHwcap = {
    "fp",      "asimd", "evtstrm", "aes",   "pmull",    "sha1",   "sha2", "crc32",
    "atomics", "fphp",  "asimdhp", "cpuid", "asimdrdm", "jscvt",  "fcma", "lrcpc",
    "dcpop",   "sha3",  "sm3",     "sm4",   "asimddp",  "sha512", "sve",  "asimdfhm",
    "dit",     "uscat", "ilrcpc",  "flagm", "ssbs",     "sb",     "paca", "pacg"};

constexpr std::array<const char*, 34> kHwcap2 = {
    "dcpodp",    "sve2",      "sveaes",  "svepmull",  "svebitperm", "svesha3",  "svesm4",
    "flagm2",    "frint",     "svei8mm", "svef32mm",  "svef64mm",   "svebf16",  "i8mm",
    "bf16",      "dgh",       "rng",     "bti",       "mte",        "ecv",      "afp",
    "rpres",     "mte3",      "sme",     "smei16i64", "smef64f64",  "smei8i32", "smef16f32",
    "smeb16f32", "smef32f32", "smefa64", "wfxt",      "ebf16",      "sveebf16"};

template <std::size_t N>
void addBits(std::vector<std::string>& names, const std::array<const char*, N>& table,
             std::uint64_t bits) {
    for (std::size_t bit = 0; bit < N; ++bit) {
        if ((bits >> bit & 1u) != 0) {
            names.emplace_back(table[bit]);
        }
    }
}

} // namespace

std::vector<std::string> ArmFeaturesOfHwcaps(std::uint64_t hwcap, std::uint64_t hwcap2) {
    std::vector<std::string> names;
    addBits(names, kHwcap, hwcap);
    addBits(names, kHwcap2, hwcap2);
    return names;
}

std::optional<std::vector<std::string>> ReadArmFeatures() {
#if defined(__aarch64__)
    return ArmFeaturesOfHwcaps(getauxval(AT_HWCAP), getauxval(AT_HWCAP2));
#else
    return std::nullopt;
#endif
}
