#pragma once

#include "testinput/Rgb.h"

#include <cstddef>
#include <vector>

// A picture of 24-bit pixels with row 0 at the top, and the drawing
// operations the test picture is made of. Shapes take their coordinates in
// 1/16 pixel and smooth their edges; drawing is clipped to the picture.
// Opacity runs from 0 (nothing) to 255 (full cover).
class Canvas {
  public:
    static constexpr int kSub = 16;

    Canvas(int width, int height);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }

    // Pixel access; a position outside the picture raises the
    // index-out-of-range error.
    Rgb At(int x, int y) const;
    void Set(int x, int y, Rgb colour);

    // Mixes colour into a pixel; positions outside the picture are skipped.
    void Blend(int x, int y, Rgb colour, int opacity);

    // Pixels left <= x < right, top <= y < bottom, in whole pixels.
    void FillRect(int left, int top, int right, int bottom, Rgb colour, int opacity);

    void FillCircle(int cx, int cy, int radius, Rgb colour, int opacity);

    // A stroke of the given width with round ends.
    void DrawLine(int x0, int y0, int x1, int y1, int width, Rgb colour, int opacity);

    void FillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour, int opacity);

  private:
    std::size_t index(int x, int y) const;
    // Blends with opacity * coverage / 16, coverage 0 to 16.
    void cover(int x, int y, Rgb colour, int opacity, int coverage);

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
