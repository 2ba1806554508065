#pragma once

#include <cstdint>

// Smooth integer value noise: random heights on a square lattice, blended
// with a smooth step between lattice points. Results run from 0 to 4095.
class ValueNoise {
  public:
    explicit ValueNoise(std::uint32_t seed) : seed_(seed) {}

    // Noise at pixel (x, y) for a lattice spacing of 2^cellShift pixels
    // (cellShift 0 to 12).
    int Sample(int x, int y, int cellShift) const;

    // Octaves of Sample, each with half the spacing and half the weight of
    // the one before, normalised back to 0..4095.
    int Fractal(int x, int y, int cellShift, int octaves) const;

  private:
    int lattice(int ix, int iy) const;

    std::uint32_t seed_;
};
