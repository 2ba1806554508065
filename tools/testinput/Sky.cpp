#include "testinput/Sky.h"

#include "testinput/Canvas.h"
#include "testinput/FixedMath.h"
#include "testinput/SceneLayout.h"
#include "testinput/SplitMix64.h"
#include "testinput/ValueNoise.h"

#include <algorithm>
#include <cstdint>

using namespace SceneLayout;
using FixedMath::kOne;

namespace {

struct ColourStop {
    int y;
    Rgb colour;
};

constexpr ColourStop kSkyStops[] = {{0, {14, 18, 58}},
                                    {170, {50, 40, 112}},
                                    {320, {136, 64, 124}},
                                    {450, {226, 112, 96}},
                                    {kHorizon, {255, 184, 112}}};

Rgb skyGradient(int y) {
    for (std::size_t i = 1; i < std::size(kSkyStops); ++i) {
        const ColourStop& low = kSkyStops[i - 1];
        const ColourStop& high = kSkyStops[i];
        if (y < high.y) {
            return FixedMath::Mix(low.colour, high.colour, (y - low.y) * kOne / (high.y - low.y));
        }
    }
    return kSkyStops[std::size(kSkyStops) - 1].colour;
}

// Brightness of the sun's halo, 0 to kOne: a tight core and a wide haze.
int sunGlow(int x, int y) {
    const std::int64_t dx = x - kSunX;
    const std::int64_t dy = y - kSunY;
    const std::int64_t d2 = dx * dx + dy * dy;
    const std::int64_t core = kOne * 3600 / (d2 + 3600);
    const std::int64_t haze = kOne * 50000 / (d2 + 50000);
    return static_cast<int>(std::min<std::int64_t>(kOne, core * 9 / 10 + haze * 2 / 5));
}

void paintGradient(Canvas& canvas) {
    for (int y = 0; y < kHorizon; ++y) {
        const Rgb band = skyGradient(y);
        for (int x = 0; x < kWidth; ++x) {
            canvas.Set(x, y, FixedMath::Mix(band, kSunColour, sunGlow(x, y)));
        }
    }
}

void paintStars(Canvas& canvas, SplitMix64& random) {
    const Rgb starlight{235, 238, 255};
    for (int i = 0; i < 520; ++i) {
        const int x = random.Between(0, kWidth - 1);
        const int y = random.Between(0, 339);
        const int fade = (340 - y) * 255 / 340;
        const int opacity = fade * random.Between(90, 255) / 255;
        const int radius = random.Below(12) == 0 ? random.Between(18, 26) : random.Between(8, 13);
        canvas.FillCircle(x * 16 + 8, y * 16 + 8, radius, starlight, opacity);
        if (radius > 20) {
            // The brightest stars get a faint four-pointed glint.
            canvas.DrawLine(x * 16 - 90, y * 16 + 8, x * 16 + 106, y * 16 + 8, 10, starlight,
                            opacity / 3);
            canvas.DrawLine(x * 16 + 8, y * 16 - 90, x * 16 + 8, y * 16 + 106, 10, starlight,
                            opacity / 3);
        }
    }
}

// How much cloud a row can hold: none near the top and at the horizon.
int cloudBand(int y) {
    const int centre = 300;
    const int reach = 230;
    const int distance = std::abs(y - centre);
    return distance >= reach ? 0 : FixedMath::SmoothStep((reach - distance) * kOne / reach);
}

void paintClouds(Canvas& canvas) {
    const ValueNoise noise(0xC10D5EEDU);
    const Rgb shadow{58, 40, 96};
    for (int y = 0; y < kHorizon; ++y) {
        const int band = cloudBand(y);
        if (band == 0) {
            continue;
        }
        const Rgb lit = FixedMath::Mix(Rgb{150, 96, 150}, Rgb{255, 150, 118}, y * kOne / kHorizon);
        for (int x = 0; x < kWidth; ++x) {
            const int n = noise.Fractal(x, y * 3, 8, 7);
            const int density = std::clamp((n - 2000) * 3, 0, kOne) * band / kOne;
            if (density == 0) {
                continue;
            }
            // Thin cloud edges catch the light; thick cores stay dark, except
            // near the sun, which lights everything.
            Rgb colour = FixedMath::Mix(lit, shadow, density * 3 / 4);
            colour = FixedMath::Mix(colour, kSunColour, sunGlow(x, y) * 3 / 4);
            canvas.Blend(x, y, colour, density * 230 / kOne);
        }
    }
}

void paintSun(Canvas& canvas) {
    const int cx = kSunX * 16 + 8;
    const int cy = kSunY * 16 + 8;
    for (int ray = 0; ray < 22; ++ray) {
        const int angle = ray * 1024 / 22 + 13;
        const int length = 260 + (ray * 37) % 180;
        const int x1 = cx + FixedMath::Cosine(angle) * length * 16 / kOne;
        const int y1 = cy - FixedMath::Sine(angle) * length * 16 / kOne;
        const int width = 16 * (8 + ray % 5);
        canvas.DrawLine(cx, cy, x1, y1, width, kSunColour, 12);
        // A second, shorter stroke makes the ray fade out away from the sun.
        canvas.DrawLine(cx, cy, (cx + x1) / 2, (cy + y1) / 2, width, kSunColour, 12);
    }
    canvas.FillCircle(cx, cy, (kSunRadius + 10) * 16, kSunColour, 70);
    canvas.FillCircle(cx, cy, kSunRadius * 16, Rgb{255, 226, 160}, 255);
    canvas.FillCircle(cx - 8 * 16, cy - 8 * 16, (kSunRadius - 14) * 16, Rgb{255, 246, 214}, 200);
}

void paintBirds(Canvas& canvas, SplitMix64& random) {
    const Rgb wing{34, 22, 44};
    for (int i = 0; i < 11; ++i) {
        const int x = (300 + i * 37 + random.Between(-14, 14)) * 16;
        const int y = (170 + (i % 4) * 26 + (i * i) % 19 + random.Between(-8, 8)) * 16;
        const int span = random.Between(9, 16) * 16;
        const int lift = span * random.Between(3, 7) / 10;
        canvas.DrawLine(x - span, y - lift, x - span / 2, y - lift / 3, 40, wing, 230);
        canvas.DrawLine(x - span / 2, y - lift / 3, x, y + 24, 40, wing, 230);
        canvas.DrawLine(x, y + 24, x + span / 2, y - lift / 3, 40, wing, 230);
        canvas.DrawLine(x + span / 2, y - lift / 3, x + span, y - lift, 40, wing, 230);
    }
}

} // namespace

void PaintSky(Canvas& canvas) {
    SplitMix64 random(0x5EEDF00D5EEDF00DULL);
    paintGradient(canvas);
    paintStars(canvas, random);
    paintClouds(canvas);
    paintSun(canvas);
    paintBirds(canvas, random);
}
