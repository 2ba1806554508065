#include "testinput/FixedMath.h"

#include <algorithm>

namespace FixedMath {

std::uint32_t ISqrt(std::uint64_t value) {
    std::uint64_t result = 0;
    std::uint64_t bit = std::uint64_t{1} << 62;
    while (bit > value) {
        bit >>= 2;
    }
    while (bit != 0) {
        if (value >= result + bit) {
            value -= result + bit;
            result = (result >> 1) + bit;
        } else {
            result >>= 1;
        }
        bit >>= 2;
    }
    return static_cast<std::uint32_t>(result);
}

int Sine(int angle) {
    // Bhaskara's rational approximation over half a turn (512 units),
    // mirrored for the other half; its error stays below 0.2 %.
    int a = angle % 1024;
    if (a < 0) {
        a += 1024;
    }
    const int sign = a < 512 ? 1 : -1;
    const std::int64_t t = a % 512;
    const std::int64_t p = t * (512 - t);
    const std::int64_t value = 16 * p * kOne / (5 * 512 * 512 - 4 * p);
    return sign * static_cast<int>(value);
}

int Cosine(int angle) {
    return Sine(angle + 256);
}

int Lerp(int a, int b, int t) {
    return a + static_cast<int>(static_cast<std::int64_t>(b - a) * t / kOne);
}

Rgb Mix(Rgb a, Rgb b, int t) {
    const int c = std::clamp(t, 0, kOne);
    return Rgb{static_cast<std::uint8_t>(Lerp(a.r, b.r, c)),
               static_cast<std::uint8_t>(Lerp(a.g, b.g, c)),
               static_cast<std::uint8_t>(Lerp(a.b, b.b, c))};
}

int SmoothStep(int t) {
    const std::int64_t c = std::clamp(t, 0, kOne);
    return static_cast<int>(c * c / kOne * (3 * kOne - 2 * c) / kOne);
}

std::uint8_t Channel(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

} // namespace FixedMath
