#include "testinput/ValueNoise.h"

#include "testinput/FixedMath.h"

int ValueNoise::lattice(int ix, int iy) const {
    std::uint32_t h = static_cast<std::uint32_t>(ix) * 0x9E3779B1U;
    h ^= static_cast<std::uint32_t>(iy) * 0x85EBCA77U;
    h ^= seed_;
    h ^= h >> 16;
    h *= 0x7FEB352DU;
    h ^= h >> 15;
    h *= 0x846CA68BU;
    h ^= h >> 16;
    return static_cast<int>(h & 0xFFF);
}

int ValueNoise::Sample(int x, int y, int cellShift) const {
    const int ix = x >> cellShift;
    const int iy = y >> cellShift;
    const int mask = (1 << cellShift) - 1;
    const int tx = FixedMath::SmoothStep(((x & mask) << 12) >> cellShift);
    const int ty = FixedMath::SmoothStep(((y & mask) << 12) >> cellShift);
    const int top = FixedMath::Lerp(lattice(ix, iy), lattice(ix + 1, iy), tx);
    const int bottom = FixedMath::Lerp(lattice(ix, iy + 1), lattice(ix + 1, iy + 1), tx);
    return FixedMath::Lerp(top, bottom, ty);
}

int ValueNoise::Fractal(int x, int y, int cellShift, int octaves) const {
    int sum = 0;
    int weights = 0;
    int weight = 256;
    for (int octave = 0; octave < octaves && cellShift - octave >= 0; ++octave) {
        // Each octave is shifted so that the lattices of different octaves do
        // not line up at the origin.
        sum += Sample(x + octave * 5003, y + octave * 7919, cellShift - octave) * weight;
        weights += weight;
        weight /= 2;
    }
    return weights == 0 ? 0 : sum / weights;
}
