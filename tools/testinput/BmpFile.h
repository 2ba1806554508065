#pragma once

#include "testinput/Canvas.h"

#include <cstdint>
#include <vector>

// A picture as a Windows bitmap file: 14-byte file header, 40-byte info
// header, uncompressed 24-bit rows from the bottom up, blue, green, red,
// and two closing zero bytes that the file size counts.
namespace BmpFile {

inline constexpr std::uint32_t kHeaderSize = 14 + 40;
inline constexpr std::uint32_t kTrailerSize = 2;

// Bytes of one row of pixels, padded to a multiple of 4.
std::uint32_t RowStride(int width);

// Length of the whole file for a picture of this size.
std::uint32_t FileSize(int width, int height);

std::vector<std::uint8_t> Encode(const Canvas& canvas);

} // namespace BmpFile
