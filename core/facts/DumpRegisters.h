#pragma once

#include "facts/CpuidDump.h"
#include "facts/CpuidRegisters.h"

// The registers that tell the instruction-set extensions, taken from one
// logical processor's dumped CPUID answers. Leaves above the maximum that
// leaf 0 or 0x80000000 reports count as absent.
//
// A dump of libcpuid's holds no XCR0, the operating system's choice of the
// register state it saves; where the dump has it (this program's bundles),
// it is used as read. Without it, the registers stand for the processor under a system that
// enables every state the processor can save: XCR0 is the mask that leaf
// 0xD subleaf 0 reports as supported (EDX:EAX) where the dump holds it, else
// the states that the AVX, AVX-512 and AMX feature bits need. So AVX,
// AVX-512 and AMX are marked as the processor has them, as libcpuid's flags
// do.
//
// libcpuid's format has no leaf 7 subleaf 1: without it Leaf7Sub1Eax is 0,
// and the extensions it tells are unknown rather than absent. The
// hypervisor's signature comes from leaf 0x40000000 where the dump has it.
CpuidRegisters RegistersFromCpuid(const CpuidAnswers& answers);
