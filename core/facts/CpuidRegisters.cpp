#include "facts/CpuidRegisters.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

namespace {

constexpr std::uint32_t kOsXsave = 1u << 27;    // leaf 1, ECX
constexpr std::uint32_t kHypervisor = 1u << 31; // leaf 1, ECX

std::uint64_t ReadXcr0() {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    // XGETBV in assembly: the intrinsic would need -mxsave for the whole file.
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return static_cast<std::uint64_t>(high) << 32 | low;
}

} // namespace

std::optional<CpuidRegisters> ReadCpuidRegisters() {
    CpuidRegisters registers;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // GCC's __get_cpuid_max answers unsigned, Clang's int.
    const auto maxLeaf = static_cast<unsigned>(__get_cpuid_max(0, nullptr));
    if (maxLeaf < 1) {
        return std::nullopt;
    }
    __cpuid(1, eax, ebx, ecx, edx);
    registers.Leaf1Ecx = ecx;
    registers.Leaf1Edx = edx;
    if (maxLeaf >= 7) {
        __cpuid_count(7, 0, eax, ebx, ecx, edx);
        const unsigned subleaves = eax;
        registers.Leaf7Ebx = ebx;
        registers.Leaf7Ecx = ecx;
        registers.Leaf7Edx = edx;
        if (subleaves >= 1) {
            __cpuid_count(7, 1, eax, ebx, ecx, edx);
            registers.Leaf7Sub1Eax = eax;
        }
    }
    const auto maxExtLeaf = static_cast<unsigned>(__get_cpuid_max(0x80000000u, nullptr));
    if (maxExtLeaf >= 0x80000001u) {
        __cpuid(0x80000001u, eax, ebx, ecx, edx);
        registers.ExtLeaf1Ecx = ecx;
        registers.ExtLeaf1Edx = edx;
    }
    if (maxExtLeaf >= 0x80000008u) {
        __cpuid(0x80000008u, eax, ebx, ecx, edx);
        registers.ExtLeaf8Eax = eax;
    }
    if ((registers.Leaf1Ecx & kOsXsave) != 0) {
        registers.Xcr0 = ReadXcr0();
    }
    if ((registers.Leaf1Ecx & kHypervisor) != 0) {
        __cpuid(0x40000000u, eax, ebx, ecx, edx);
        for (const unsigned word : {ebx, ecx, edx}) {
            for (int byte = 0; byte < 4; ++byte) {
                registers.HypervisorSignature += static_cast<char>((word >> (8 * byte)) & 0xff);
            }
        }
    }
    return registers;
}

#else

std::optional<CpuidRegisters> ReadCpuidRegisters() {
    return std::nullopt;
}

#endif
