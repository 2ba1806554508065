#include "facts/DumpRegisters.h"

namespace {

constexpr std::uint32_t kXsave = 1u << 26;      // leaf 1, ECX
constexpr std::uint32_t kAvx = 1u << 28;        // leaf 1, ECX
constexpr std::uint32_t kHypervisor = 1u << 31; // leaf 1, ECX
constexpr std::uint32_t kAvx512f = 1u << 16;    // leaf 7, EBX
constexpr std::uint32_t kAmxTile = 1u << 24;    // leaf 7, EDX

// The states the feature bits need: x87 and SSE always, then AVX's upper
// YMM halves, AVX-512's opmask and ZMM parts, AMX's tile configuration and
// data.
std::uint64_t statesOfFeatures(const CpuidRegisters& registers) {
    std::uint64_t states = 0x3;
    if ((registers.Leaf1Ecx & kAvx) != 0) {
        states |= 0x4;
    }
    if ((registers.Leaf7Ebx & kAvx512f) != 0) {
        states |= 0xe4;
    }
    if ((registers.Leaf7Edx & kAmxTile) != 0) {
        states |= 0x60000;
    }
    return states;
}

} // namespace

CpuidRegisters RegistersFromCpuid(const CpuidAnswers& answers) {
    CpuidRegisters registers;
    if (const CpuidAnswer* leaf1 = answers.FindReported(1)) {
        registers.Leaf1Ecx = (*leaf1)[2];
        registers.Leaf1Edx = (*leaf1)[3];
    }
    if (const CpuidAnswer* leaf7 = answers.FindReported(7)) {
        registers.Leaf7Ebx = (*leaf7)[1];
        registers.Leaf7Ecx = (*leaf7)[2];
        registers.Leaf7Edx = (*leaf7)[3];
    }
    if (const CpuidAnswer* leaf7Sub1 = answers.FindReported(7, 1)) {
        registers.Leaf7Sub1Eax = (*leaf7Sub1)[0];
    }
    if (const CpuidAnswer* ext1 = answers.FindReported(0x80000001u)) {
        registers.ExtLeaf1Ecx = (*ext1)[2];
        registers.ExtLeaf1Edx = (*ext1)[3];
    }
    if (const CpuidAnswer* ext8 = answers.FindReported(0x80000008u)) {
        registers.ExtLeaf8Eax = (*ext8)[0];
    }
    const CpuidAnswer* states = answers.FindReported(0xd);
    if (answers.Xcr0) {
        registers.Xcr0 = *answers.Xcr0;
    } else if ((registers.Leaf1Ecx & kXsave) != 0 && states != nullptr) {
        registers.Xcr0 = static_cast<std::uint64_t>((*states)[3]) << 32 | (*states)[0];
    } else {
        registers.Xcr0 = statesOfFeatures(registers);
    }
    if (const CpuidAnswer* hypervisor = answers.Find(0x40000000u);
        hypervisor != nullptr && (registers.Leaf1Ecx & kHypervisor) != 0) {
        for (const std::uint32_t word : {(*hypervisor)[1], (*hypervisor)[2], (*hypervisor)[3]}) {
            for (int byte = 0; byte < 4; ++byte) {
                registers.HypervisorSignature += static_cast<char>((word >> (8 * byte)) & 0xff);
            }
        }
    }
    return registers;
}
