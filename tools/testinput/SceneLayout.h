#pragma once

#include "testinput/Rgb.h"

// Where the parts of the test picture lie, in pixels, row 0 at the top.
namespace SceneLayout {

inline constexpr int kWidth = 1152;
inline constexpr int kHeight = 864;
// First row of the lake; the sky and the mountains lie above it.
inline constexpr int kHorizon = 560;
inline constexpr int kSunX = 790;
inline constexpr int kSunY = 468;
inline constexpr int kSunRadius = 50;
inline constexpr Rgb kSunColour{255, 236, 190};

} // namespace SceneLayout
