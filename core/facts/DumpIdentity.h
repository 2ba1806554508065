#pragma once

#include "facts/CpuIdentity.h"
#include "facts/CpuidDump.h"

#include <optional>

// A processor's identity told by its CPUID answers alone: the vendor (leaf
// 0), the brand (leaves 0x80000002-4) and, from leaf 1, the family and
// model as displayed (base plus extended, where the vendors add them) and
// the stepping. Nothing is known of what the dump lacks.
CpuIdentity IdentityFromCpuid(const CpuidAnswers& answers);

// Leaf 1's base family and base model, as libcpuid calls family and model.
struct BaseFamilyModel {
    int Family = 0;
    int Model = 0;
};
std::optional<BaseFamilyModel> BaseFamilyModelFromCpuid(const CpuidAnswers& answers);
