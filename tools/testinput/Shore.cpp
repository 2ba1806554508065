#include "testinput/Shore.h"

#include "testinput/Canvas.h"
#include "testinput/FixedMath.h"
#include "testinput/SceneLayout.h"
#include "testinput/SplitMix64.h"
#include "testinput/ValueNoise.h"

#include <algorithm>

using namespace SceneLayout;
using FixedMath::kOne;

namespace {

constexpr Rgb kRimLight{255, 168, 110};

// Top of the bank at column x, in pixels; below the picture where there is none.
int bankTop(const ValueNoise& noise, int x) {
    return 596 + x * x / 1100 + (noise.Fractal(x, 0, 5, 4) - 2048) / 160;
}

void paintBank(Canvas& canvas, const ValueNoise& noise) {
    for (int x = 0; x < kWidth; ++x) {
        const int top = bankTop(noise, x);
        for (int y = std::max(top, 0); y < kHeight; ++y) {
            const int grass = noise.Fractal(x * 3, y * 5, 4, 3);
            Rgb colour = FixedMath::Mix(Rgb{22, 20, 34}, Rgb{40, 30, 44}, grass);
            if (y - top < 3) {
                colour = FixedMath::Mix(colour, kRimLight, 1400 - (y - top) * 400);
            }
            canvas.Set(x, y, colour);
        }
    }
}

void paintPine(Canvas& canvas, int x, int base, int height, int shade) {
    const Rgb needles = FixedMath::Mix(Rgb{14, 24, 28}, Rgb{30, 40, 40}, shade);
    const int cx = x * 16;
    canvas.DrawLine(cx, base * 16, cx, (base - height / 3) * 16, 64, Rgb{30, 20, 22}, 255);
    const int tiers = 6;
    for (int tier = 0; tier < tiers; ++tier) {
        const int bottom = base - height / 6 - tier * height * 5 / (6 * tiers);
        const int top = bottom - height * 2 / 7;
        const int half = height * (tiers - tier) / (tiers * 4) + 3;
        // The lit edge: the same tier a little to the sun's side, underneath.
        canvas.FillTriangle(cx + 40, top * 16, cx + 40 - half * 16, bottom * 16,
                            cx + 40 + half * 16, bottom * 16, kRimLight, 120);
        canvas.FillTriangle(cx, top * 16, cx - half * 16, bottom * 16, cx + half * 16, bottom * 16,
                            needles, 255);
    }
}

void paintTrees(Canvas& canvas, const ValueNoise& noise, SplitMix64& random) {
    for (int i = 0; i < 16; ++i) {
        const int x = 12 + i * 27 + random.Between(-10, 10);
        const int height = std::max(60, 250 - x * 2 / 5 + random.Between(-40, 30));
        paintPine(canvas, x, bankTop(noise, x) + 6, height, random.Between(0, kOne));
    }
}

// Hull, mast and two sails; mirrored (upside down, faint) for the reflection.
void paintBoat(Canvas& canvas, int x, int waterline, bool mirrored) {
    const int cx = x * 16;
    const int wy = waterline * 16;
    const int flip = mirrored ? -1 : 1;
    const int opacity = mirrored ? 70 : 255;
    const auto y = [wy, flip](int rise) { return wy - flip * rise * 16; };
    const Rgb hull{36, 24, 34};
    canvas.FillTriangle(cx - 64 * 16, y(10), cx + 70 * 16, y(10), cx + 50 * 16, y(-6), hull,
                        opacity);
    canvas.FillTriangle(cx - 64 * 16, y(10), cx + 50 * 16, y(-6), cx - 46 * 16, y(-6), hull,
                        opacity);
    canvas.FillRect(x - 60, waterline - flip * 11 - (mirrored ? 0 : 2), x + 66,
                    waterline - flip * 11 + (mirrored ? 2 : 0), Rgb{200, 120, 90}, opacity);
    canvas.DrawLine(cx, y(10), cx, y(170), 48, Rgb{50, 34, 40}, opacity);
    canvas.FillTriangle(cx + 40, y(166), cx + 40, y(20), cx + 78 * 16, y(20), Rgb{240, 196, 164},
                        opacity);
    canvas.FillTriangle(cx - 40, y(150), cx - 40, y(22), cx - 56 * 16, y(22), Rgb{206, 150, 148},
                        opacity);
    canvas.DrawLine(cx, y(170), cx - 56 * 16, y(22), 16, Rgb{60, 40, 50}, opacity);
}

void paintJetty(Canvas& canvas, const ValueNoise& noise) {
    const int deckTop = 700;
    const int left = 866;
    const Rgb post{46, 30, 34};
    for (int x = left + 6; x < kWidth; x += 46) {
        canvas.FillRect(x, deckTop + 10, x + 9, 792, post, 255);
        // Reflection of the post, broken up by the ripples.
        for (int y = 792; y < 860; y += 2) {
            const int wobble = (noise.Sample(x, y * 6, 3) - 2048) / 400;
            canvas.FillRect(x + wobble, y, x + 9 + wobble, y + 2, post, 150 - (y - 792) * 2);
        }
    }
    for (int x = left; x < kWidth; ++x) {
        for (int y = deckTop; y < deckTop + 12; ++y) {
            const int grain = noise.Fractal(x / 6, y * 9, 3, 3);
            Rgb wood = FixedMath::Mix(Rgb{84, 52, 44}, Rgb{120, 76, 54}, grain);
            if (y < deckTop + 2) {
                wood = FixedMath::Mix(wood, kRimLight, 2600);
            }
            if ((x - left) % 31 == 0) {
                wood = FixedMath::Mix(wood, Rgb{20, 12, 16}, 3000);
            }
            canvas.Set(x, y, wood);
        }
    }
    // Lantern on a post at the end of the jetty, with its glow and its trail on the water.
    canvas.FillRect(left + 14, deckTop - 62, left + 19, deckTop, post, 255);
    const int lx = (left + 16) * 16 + 8;
    const int ly = (deckTop - 70) * 16;
    canvas.FillCircle(lx, ly, 46 * 16, Rgb{255, 210, 130}, 28);
    canvas.FillCircle(lx, ly, 22 * 16, Rgb{255, 214, 140}, 70);
    canvas.FillCircle(lx, ly, 8 * 16, Rgb{255, 236, 180}, 255);
    canvas.FillRect(left + 10, deckTop - 80, left + 23, deckTop - 78, post, 255);
    for (int i = 0; i < 9; ++i) {
        const int y = (deckTop + 20 + i * 16) * 16;
        const int half = (6 + i * 3) * 16;
        canvas.DrawLine(lx - half, y, lx + half, y, 24, Rgb{255, 206, 130}, 120 - i * 11);
    }
}

} // namespace

void PaintShore(Canvas& canvas) {
    const ValueNoise noise(0xB0A7B0A7U);
    SplitMix64 random(0x7EE5ULL);
    paintBoat(canvas, 470, 640, true);
    paintBoat(canvas, 470, 640, false);
    paintBank(canvas, noise);
    paintTrees(canvas, noise, random);
    paintJetty(canvas, noise);
}
