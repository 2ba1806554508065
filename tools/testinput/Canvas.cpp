#include "testinput/Canvas.h"

#include "platform/QuelError.h"
#include "testinput/FixedMath.h"

#include <algorithm>
#include <cstdint>

namespace {

// Whole-pixel range [first, last] touched by a span in 1/16 pixel, clipped.
struct PixelSpan {
    int first;
    int last;
};

PixelSpan pixelSpan(int low, int high, int limit) {
    const int first = std::max(0, (low >> 4) - 1);
    const int last = std::min(limit - 1, (high >> 4) + 1);
    return PixelSpan{first, last};
}

// Edge function: positive on one side of the line a-b, negative on the other.
std::int64_t edge(int ax, int ay, int bx, int by, int px, int py) {
    return static_cast<std::int64_t>(bx - ax) * (py - ay) -
           static_cast<std::int64_t>(by - ay) * (px - ax);
}

} // namespace

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

std::size_t Canvas::index(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        throw QuelError::SubscriptOutOfRange("Canvas");
    }
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
}

Rgb Canvas::At(int x, int y) const {
    return pixels_[index(x, y)];
}

void Canvas::Set(int x, int y, Rgb colour) {
    pixels_[index(x, y)] = colour;
}

void Canvas::Blend(int x, int y, Rgb colour, int opacity) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || opacity <= 0) {
        return;
    }
    Rgb& pixel = pixels_[index(x, y)];
    const int a = std::min(opacity, 255);
    const auto mix = [a](int under, int over) {
        return static_cast<std::uint8_t>((under * (255 - a) + over * a + 127) / 255);
    };
    pixel = Rgb{mix(pixel.r, colour.r), mix(pixel.g, colour.g), mix(pixel.b, colour.b)};
}

void Canvas::cover(int x, int y, Rgb colour, int opacity, int coverage) {
    Blend(x, y, colour, opacity * std::clamp(coverage, 0, kSub) / kSub);
}

void Canvas::FillRect(int left, int top, int right, int bottom, Rgb colour, int opacity) {
    for (int y = std::max(0, top); y < std::min(height_, bottom); ++y) {
        for (int x = std::max(0, left); x < std::min(width_, right); ++x) {
            Blend(x, y, colour, opacity);
        }
    }
}

void Canvas::FillCircle(int cx, int cy, int radius, Rgb colour, int opacity) {
    const PixelSpan xs = pixelSpan(cx - radius, cx + radius, width_);
    const PixelSpan ys = pixelSpan(cy - radius, cy + radius, height_);
    for (int y = ys.first; y <= ys.last; ++y) {
        for (int x = xs.first; x <= xs.last; ++x) {
            const std::int64_t dx = x * kSub + kSub / 2 - cx;
            const std::int64_t dy = y * kSub + kSub / 2 - cy;
            const int distance =
                static_cast<int>(FixedMath::ISqrt(static_cast<std::uint64_t>(dx * dx + dy * dy)));
            cover(x, y, colour, opacity, radius - distance + kSub / 2);
        }
    }
}

void Canvas::DrawLine(int x0, int y0, int x1, int y1, int width, Rgb colour, int opacity) {
    const int half = width / 2;
    const PixelSpan xs = pixelSpan(std::min(x0, x1) - half, std::max(x0, x1) + half, width_);
    const PixelSpan ys = pixelSpan(std::min(y0, y1) - half, std::max(y0, y1) + half, height_);
    const std::int64_t dx = x1 - x0;
    const std::int64_t dy = y1 - y0;
    const std::int64_t length2 = dx * dx + dy * dy;
    for (int y = ys.first; y <= ys.last; ++y) {
        for (int x = xs.first; x <= xs.last; ++x) {
            const std::int64_t px = x * kSub + kSub / 2 - x0;
            const std::int64_t py = y * kSub + kSub / 2 - y0;
            std::int64_t ox = px;
            std::int64_t oy = py;
            if (length2 > 0) {
                const std::int64_t t = std::clamp<std::int64_t>(px * dx + py * dy, 0, length2);
                ox = px - dx * t / length2;
                oy = py - dy * t / length2;
            }
            const int distance =
                static_cast<int>(FixedMath::ISqrt(static_cast<std::uint64_t>(ox * ox + oy * oy)));
            cover(x, y, colour, opacity, half - distance + kSub / 2);
        }
    }
}

void Canvas::FillTriangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb colour, int opacity) {
    if (edge(x0, y0, x1, y1, x2, y2) < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const PixelSpan xs = pixelSpan(std::min({x0, x1, x2}), std::max({x0, x1, x2}), width_);
    const PixelSpan ys = pixelSpan(std::min({y0, y1, y2}), std::max({y0, y1, y2}), height_);
    for (int y = ys.first; y <= ys.last; ++y) {
        for (int x = xs.first; x <= xs.last; ++x) {
            // 4 x 4 samples per pixel.
            int inside = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    const int px = x * kSub + 2 + sx * 4;
                    const int py = y * kSub + 2 + sy * 4;
                    if (edge(x0, y0, x1, y1, px, py) >= 0 && edge(x1, y1, x2, y2, px, py) >= 0 &&
                        edge(x2, y2, x0, y0, px, py) >= 0) {
                        ++inside;
                    }
                }
            }
            cover(x, y, colour, opacity, inside);
        }
    }
}
