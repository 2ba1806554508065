#include "testinput/Water.h"

#include "testinput/Canvas.h"
#include "testinput/FixedMath.h"
#include "testinput/SceneLayout.h"
#include "testinput/SplitMix64.h"
#include "testinput/ValueNoise.h"

#include <algorithm>

using namespace SceneLayout;
using FixedMath::kOne;

namespace {

void paintReflection(Canvas& canvas) {
    const ValueNoise ripples(0x0DDBA11U);
    const Rgb deep{14, 20, 50};
    const int lake = kHeight - kHorizon;
    for (int y = kHorizon; y < kHeight; ++y) {
        const int depth = y - kHorizon + 1;
        for (int x = 0; x < kWidth; ++x) {
            // Ripples are wide and flat; nearer water moves the picture more.
            const int wave = ripples.Fractal(x, y * 7, 7, 5) - 2048;
            const int sourceY =
                std::clamp(kHorizon - depth - wave * (2 + depth / 10) / 2048, 0, kHorizon - 1);
            const int sourceX = std::clamp(x + wave * depth / (2048 * 24), 0, kWidth - 1);
            Rgb colour = canvas.At(sourceX, sourceY);
            colour = FixedMath::Mix(colour, deep, 700 + depth * 2600 / lake);
            if (wave > 900) {
                colour = FixedMath::Mix(colour, Rgb{255, 196, 150}, (wave - 900) / 3);
            }
            canvas.Set(x, y, colour);
        }
    }
    // A pale line of haze where the lake meets the land.
    canvas.FillRect(0, kHorizon, kWidth, kHorizon + 2, Rgb{240, 170, 140}, 70);
}

void paintGlitter(Canvas& canvas, SplitMix64& random) {
    const Rgb sparkle{255, 216, 152};
    const int lake = kHeight - kHorizon;
    for (int i = 0; i < 900; ++i) {
        const int depth = random.Between(1, lake - 1);
        const int spread = 18 + depth * 7 / 10;
        // The mean of two uniform draws crowds the glitter towards the middle.
        const int left = random.Between(-spread, spread);
        const int offset = (left + random.Between(-spread, spread)) / 2;
        const int x = kSunX + offset;
        const int y = kHorizon + depth;
        const int length = random.Between(3, 6 + depth / 8);
        const int opacity = 220 - std::abs(offset) * 180 / spread - depth / 4;
        canvas.DrawLine((x - length) * 16, y * 16 + 8, (x + length) * 16, y * 16 + 8,
                        random.Between(10, 26), sparkle, std::max(opacity, 20));
    }
}

} // namespace

void PaintWater(Canvas& canvas) {
    SplitMix64 random(0x61177E2ULL);
    paintReflection(canvas);
    paintGlitter(canvas, random);
}
