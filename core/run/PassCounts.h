#pragma once

#include <cstddef>

// The passes of one run: the compressions come first, then the
// decompressions; Time Summa sums the times of the first kSummed passes.
namespace PassCounts {

inline constexpr std::size_t kCompressions = 50;
inline constexpr std::size_t kDecompressions = 51;
inline constexpr std::size_t kAll = kCompressions + kDecompressions;
inline constexpr std::size_t kSummed = 100;

} // namespace PassCounts
