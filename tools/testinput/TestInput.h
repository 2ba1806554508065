#pragma once

#include <cstdint>
#include <vector>

// The benchmark's test input: the test picture as a bitmap file followed by
// a code section, byte for byte the same on every machine and build.
namespace TestInput {

inline constexpr std::uint32_t kSize = 3219456;
inline constexpr std::uint32_t kPictureSize = 2986040;
inline constexpr std::uint32_t kCodeSize = kSize - kPictureSize;

std::vector<std::uint8_t> Build();

} // namespace TestInput
