#pragma once

#include "testinput/Rgb.h"

#include <cstdint>

// Integer helpers for the test picture. Fractions are scaled by kOne (4096),
// so every result is the same on every machine and compiler.
namespace FixedMath {

inline constexpr int kOne = 4096;

// Largest r with r * r <= value.
std::uint32_t ISqrt(std::uint64_t value);

// Sine of an angle given in 1/1024 of a full turn, scaled by kOne.
int Sine(int angle);

// Cosine, same units as Sine.
int Cosine(int angle);

// a + (b - a) * t / kOne, t from 0 to kOne.
int Lerp(int a, int b, int t);

// Colour between a (t = 0) and b (t = kOne), t clamped to that range.
Rgb Mix(Rgb a, Rgb b, int t);

// 3t^2 - 2t^3 for t from 0 to kOne, clamped.
int SmoothStep(int t);

// Value clamped to 0..255 as a colour channel.
std::uint8_t Channel(int value);

} // namespace FixedMath
