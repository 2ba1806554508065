#pragma once

#include "facts/CpuidRegisters.h"

#include <optional>
#include <string>
#include <vector>

// One instruction-set extension and whether this machine can use it: the
// processor has it and, for AVX, AVX-512 and AMX, the operating system saves
// the registers it needs.
struct Extension {
    const char* Name; // snake_case, e.g. "avx512_vnni"
    bool Present;
};

// Every extension in a fixed order, each with its mark.
std::vector<Extension> DecodeExtensions(const CpuidRegisters& registers);

// The extensions that leaf 7 subleaf 1 tells, which libcpuid's dumps lack.
std::vector<std::string> ExtensionsOfLeaf7Subleaf1();

// The x86-64 micro-architecture level (1 to 4) that all of whose extensions
// are usable; nothing without 64-bit long mode.
std::optional<int> X86_64Level(const CpuidRegisters& registers);
