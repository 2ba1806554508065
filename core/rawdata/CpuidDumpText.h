#pragma once

#include "rawdata/ProcessorCpuid.h"

#include <string>
#include <vector>

// The processors' answers in libcpuid's raw text format, as `cpuid_tool
// --save` writes it and ParseCpuidDump reads it: a "Logical CPU #N" line
// per processor, then "basic_cpuid[i]=eax ebx ecx edx", "ext_cpuid[i]=..."
// and the subleaf families "intel_fn4[j]=..." and so on, in hexadecimal.
std::string CpuidDumpText(const std::vector<ProcessorCpuid>& processors);

// What that format lacks, laid out like it: a "Logical CPU #N" line per
// processor, then the basic and extended leaves from index 32 on
// ("ext_cpuid[33]=..."), "leaf7_subleaf1=eax ebx ecx edx",
// "hypervisor_leaf=..." (leaf 0x40000000) and "xcr0=" with 16 hexadecimal
// digits, each where the processor has it. ParseCpuidDump reads it.
std::string CpuidExtraText(const std::vector<ProcessorCpuid>& processors);
