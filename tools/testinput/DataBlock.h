#pragma once

#include "testinput/SplitMix64.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The read-only data that follows the machine code: double constants, jump
// tables, the program's texts, an import address table with its names, and
// wide-character version texts. Offsets are section offsets.
class DataBlock {
  public:
    // Lays the block out from section offset start; jump-table entries point
    // into the code below textEnd.
    DataBlock(std::uint32_t start, std::uint32_t textEnd, SplitMix64& random);

    const std::vector<std::uint8_t>& Bytes() const noexcept { return bytes_; }
    const std::vector<std::uint32_t>& Constants() const noexcept { return constants_; }
    const std::vector<std::uint32_t>& Texts() const noexcept { return texts_; }
    const std::vector<std::uint32_t>& ImportSlots() const noexcept { return slots_; }

  private:
    std::uint32_t here() const;
    void align(std::uint32_t boundary);
    void put(std::uint64_t value, int size);
    void putText(std::string_view text);
    void putWideText(std::string_view text);
    void addConstants();
    void addJumpTables(std::uint32_t textEnd, SplitMix64& random);
    void addTexts();
    void addImports();
    void addVersionTexts();

    std::uint32_t start_;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> constants_;
    std::vector<std::uint32_t> texts_;
    std::vector<std::uint32_t> slots_;
};
