#include "testinput/Mountains.h"

#include "testinput/Canvas.h"
#include "testinput/FixedMath.h"
#include "testinput/SceneLayout.h"
#include "testinput/ValueNoise.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace SceneLayout;
using FixedMath::kOne;

namespace {

struct Range {
    std::uint32_t seed;
    int height;    // highest possible peak above the horizon, pixels
    int cellShift; // width of the landforms
    Rgb summit;
    Rgb foot;
    int snowLine; // rows above the horizon from which snow lies; 0 = none
};

constexpr Range kRanges[] = {
    {0xA1B2C3D4U, 270, 8, {118, 80, 138}, {214, 128, 124}, 190},
    {0x0BADF00DU, 180, 7, {70, 46, 94}, {156, 86, 108}, 0},
    {0x7E57AB1EU, 100, 6, {34, 26, 56}, {82, 50, 84}, 0},
};

// Dip in the ranges around the sun, 0 to kOne, so the sun shows in a valley.
int valleyFactor(int x) {
    const std::int64_t dx = x - kSunX;
    const std::int64_t wide = 140 * 140;
    return kOne - static_cast<int>(kOne * wide / (dx * dx + wide) * 3 / 5);
}

// Top of a range at column x, in 1/16 pixel.
int ridgeTop(const ValueNoise& noise, const Range& range, int x) {
    const int n = noise.Fractal(x, 0, range.cellShift, 7);
    // Folding the noise sharpens the crests.
    const int crest = kOne - std::abs(2 * n - kOne);
    const int shape = (n + crest * 2) / 3;
    const std::int64_t lift =
        static_cast<std::int64_t>(range.height) * 16 * shape / kOne * valleyFactor(x) / kOne;
    return kHorizon * 16 - static_cast<int>(lift);
}

// Light on the crest from behind: strong near the sun, fading with distance.
int rimLight(int x) {
    const std::int64_t dx = x - kSunX;
    const std::int64_t reach = 200 * 200;
    return static_cast<int>(kOne * reach / (dx * dx + reach));
}

void paintRange(Canvas& canvas, const Range& range) {
    const ValueNoise noise(range.seed);
    const ValueNoise rock(range.seed ^ 0x55AA55AAU);
    const Rgb snow{236, 196, 214};
    const Rgb rimColour{255, 200, 150};
    for (int x = 0; x < kWidth; ++x) {
        const int top16 = ridgeTop(noise, range, x);
        const int top = top16 / 16;
        const int rise = std::max(1, kHorizon - top);
        const int rimStrength = rimLight(x);
        for (int y = std::max(0, top); y < kHorizon; ++y) {
            const int t = FixedMath::SmoothStep((y - top) * kOne / rise);
            Rgb colour = FixedMath::Mix(range.summit, range.foot, t);
            // Rock and scree: lighter and darker patches, slightly drawn out
            // down the slope.
            const int grain = rock.Fractal(x * 2, y, 5, 4) - 2048;
            colour = FixedMath::Mix(colour, grain > 0 ? Rgb{255, 220, 230} : Rgb{0, 0, 20},
                                    std::abs(grain) / 20);
            if (range.snowLine > 0) {
                // Snow fades in over 30 rows above the snow line, in patches.
                const int above = kHorizon - y - range.snowLine + grain / 24;
                colour = FixedMath::Mix(colour, snow, above * kOne / 30 * 3 / 4);
            }
            const int depth = y - top;
            if (depth < 6) {
                colour = FixedMath::Mix(colour, rimColour, rimStrength * (6 - depth) / 9);
            }
            if (y == top) {
                // Partly covered top pixel: smooth the crest line.
                canvas.Blend(x, y, colour, (16 - (top16 & 15)) * 255 / 16);
            } else {
                canvas.Set(x, y, colour);
            }
        }
    }
}

} // namespace

void PaintMountains(Canvas& canvas) {
    for (const Range& range : kRanges) {
        paintRange(canvas, range);
    }
}
