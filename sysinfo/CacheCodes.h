#pragma once

#include <cstdint>

// The capability codes whose answers are the processor's cache sizes in
// kilobytes.
namespace CacheCode {

inline constexpr std::int32_t Instructions = 57;
inline constexpr std::int32_t Data = 53;
inline constexpr std::int32_t Level2 = 61;

} // namespace CacheCode
