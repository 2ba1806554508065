#pragma once

#include <array>
#include <cstdint>

class ProcessorLibrary;

// The processor's fixed facts, read once when the information window loads.
// Both texts are fixed-width single-byte fields, all NUL at the start.
struct ProcessorFacts {
    std::array<char, 16> ExtraText{};
    std::array<char, 48> NameText{};
    std::int16_t SpeedMHz = 0;
    std::uint8_t TypeCode = 0;
    std::uint8_t FamilyCode = 0;
    std::uint8_t ModelCode = 0;
    std::uint8_t SteppingCode = 0;
    std::array<std::uint8_t, 3> ExtInfo{};

    // Asks the library for every fact in turn: type, family, model and
    // stepping, the further bytes, both texts, the clock.
    void Read(ProcessorLibrary& library);
};
