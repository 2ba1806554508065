#pragma once

#include "quelcore/QuelCore_Info.h"

#include <array>
#include <cstdint>
#include <string>

// Everything the library knows about the processor that does not change while
// the machine runs: read once, then answered from here.
struct ProcessorIdentity {
    // Capability codes answered from the table run from 0 to this bound - 1.
    static constexpr std::int32_t kCapsCount = 62;

    std::uint8_t Type = 0;
    std::uint8_t Family = 0;
    std::uint8_t Model = 0;
    std::uint8_t Stepping = 0;
    std::array<std::uint8_t, 3> ExtInfo{};
    std::string Name;
    std::string Vendor;
    std::array<std::int32_t, kCapsCount> Caps{};
};

// Narrows a host figure into an 8-bit field; values beyond it stop at 255.
constexpr std::uint8_t ClampToByte(std::int64_t value) {
    return value < 0 ? 0 : value > 255 ? 255 : static_cast<std::uint8_t>(value);
}
