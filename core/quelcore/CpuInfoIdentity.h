#pragma once

#include "quelcore/ProcessorIdentity.h"

#include <cstdint>
#include <optional>
#include <string>

// The processor as /proc/cpuinfo describes it on machines without CPUID
// (ARM and others): name, numbers and vendor from the first processor's
// block, cache sizes from the given sysfs folder. On ARM the fields come from
// the main identification register, midr where given (sysfs's midr_el1),
// else from the block's "CPU implementer/variant/part/revision"; they map
// onto the library's bytes so: family = implementer, model = the part's low
// 8 bits, stepping = revision, the three extra bytes = variant and the
// part's high and low byte (the whole part). The name is the kernel's
// "model name" where it gives one, else the core's from the part table. Of
// the feature marks only "Floating Point Unit On-Chip" can be true there:
// where the block's Features name "fp".
ProcessorIdentity CpuInfoIdentity(const std::string& cpuinfo, const std::string& cacheFolder,
                                  std::optional<std::uint64_t> midr = std::nullopt);

// The main identification register as sysfs gives it ("0x00000000411fd461").
std::optional<std::uint64_t> ParseMidr(const std::string& text);
