#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A 64-bit ARM processor's features as the kernel names them in
// /proc/cpuinfo ("fp asimd aes pmull sha1 sha2 crc32 atomics ... sve ..."),
// from the bits of the auxiliary vector's AT_HWCAP and AT_HWCAP2, in bit
// order; bits the table does not know are left out.
std::vector<std::string> ArmFeaturesOfHwcaps(std::uint64_t hwcap, std::uint64_t hwcap2);

// This processor's, from getauxval; nothing on processors other than 64-bit ARM.
std::optional<std::vector<std::string>> ReadArmFeatures();
