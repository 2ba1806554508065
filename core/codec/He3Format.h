#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Layout of an HE3 stream and the records the coder builds per call.
//
// Coded form: "HE3" CR, checksum (XOR of all input bytes), input length
// (int32 LE), symbol count N (int16 LE), N table entries (value, code length)
// in ascending value order, the code bits of those values, then the data bits.
// Stored form: "HE0" CR followed by the input unchanged.
namespace He3 {

inline constexpr std::array<std::uint8_t, 4> kCodedId{0x48, 0x45, 0x33, 0x0D};
inline constexpr std::array<std::uint8_t, 4> kStoredId{0x48, 0x45, 0x30, 0x0D};

inline constexpr std::size_t kIdLength = 4;
inline constexpr std::size_t kChecksumOffset = 4;
inline constexpr std::size_t kLengthOffset = 5;
inline constexpr std::size_t kCountOffset = 9;
inline constexpr std::size_t kTableOffset = 11;

inline constexpr std::size_t kSymbolCount = 256;
inline constexpr std::size_t kMaxNodes = 512;
inline constexpr std::size_t kMaxCodeBits = 256;

// Bit k of a packed byte has the value BitValues[k]; bits fill a byte from
// the least significant end.
inline constexpr std::array<std::uint8_t, 8> BitValues{1, 2, 4, 8, 16, 32, 64, 128};

} // namespace He3

struct TreeNode {
    std::int16_t Parent;    // -1 while the node has none
    std::int16_t OneChild;  // child reached by a 1 bit, -1 = none
    std::int16_t ZeroChild; // child reached by a 0 bit, -1 = none
    std::int16_t Symbol;    // byte value of a leaf, -1 for an inner node
    std::int32_t Weight;    // occurrence count, or the sum of the children's
};

struct SymbolCode {
    std::uint8_t BitCount; // 0 = the value has no code
    // One bit per entry, each 0 or 1; entry 0 is the bit taken at the root.
    std::array<std::uint8_t, He3::kMaxCodeBits> Bits;
};

using NodeTable = std::array<TreeNode, He3::kMaxNodes>;
using CodeTable = std::array<SymbolCode, He3::kSymbolCount>;
