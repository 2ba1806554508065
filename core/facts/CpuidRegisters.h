#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The CPUID answers and the XCR0 register that tell the x86 instruction-set
// extensions and whether the operating system saves their registers.
struct CpuidRegisters {
    std::uint32_t Leaf1Ecx = 0;
    std::uint32_t Leaf1Edx = 0;
    std::uint32_t Leaf7Ebx = 0; // leaf 7, subleaf 0
    std::uint32_t Leaf7Ecx = 0;
    std::uint32_t Leaf7Edx = 0;
    std::uint32_t Leaf7Sub1Eax = 0;
    std::uint32_t ExtLeaf1Ecx = 0; // leaf 0x80000001
    std::uint32_t ExtLeaf1Edx = 0;
    // Leaf 0x80000008: physical address bits in 7:0, virtual ones in 15:8.
    std::uint32_t ExtLeaf8Eax = 0;
    // XCR0, read with XGETBV only where CPUID reports OSXSAVE; else 0.
    std::uint64_t Xcr0 = 0;
    // EBX, ECX and EDX of leaf 0x40000000 as 12 bytes, where leaf 1 says a
    // hypervisor runs the machine; else empty.
    std::string HypervisorSignature;
};

// This processor's answers; nothing on processors other than x86.
std::optional<CpuidRegisters> ReadCpuidRegisters();
