#include "testinput/TestPicture.h"

#include "testinput/FixedMath.h"
#include "testinput/Mountains.h"
#include "testinput/SceneLayout.h"
#include "testinput/Shore.h"
#include "testinput/Sky.h"
#include "testinput/SplitMix64.h"
#include "testinput/Water.h"

namespace {

// Film grain: every channel moves by -3 to +4.
void addGrain(Canvas& canvas) {
    SplitMix64 random(0x96A1196A1ULL);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint64_t bits = random.Next();
            const auto shift = [bits](int channel, int part) {
                return FixedMath::Channel(channel + static_cast<int>((bits >> part) & 7) - 3);
            };
            const Rgb pixel = canvas.At(x, y);
            canvas.Set(x, y, Rgb{shift(pixel.r, 0), shift(pixel.g, 8), shift(pixel.b, 16)});
        }
    }
}

} // namespace

Canvas PaintTestPicture() {
    Canvas canvas(SceneLayout::kWidth, SceneLayout::kHeight);
    PaintSky(canvas);
    PaintMountains(canvas);
    PaintWater(canvas);
    PaintShore(canvas);
    addGrain(canvas);
    return canvas;
}
