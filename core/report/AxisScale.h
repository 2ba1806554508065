#pragma once

#include <vector>

// A value axis in round steps: 1, 2 or 5 times a power of ten, from a
// multiple of the step at or below the lowest value to one at or above the
// highest.
struct AxisScale {
    double Low = 0.0;
    double High = 1.0;
    double Step = 1.0;
    // Decimals a tick label needs to show the step.
    int Decimals = 0;

    std::vector<double> Ticks() const;
    // Where a value lies between Low (0) and High (1).
    double Fraction(double value) const { return (value - Low) / (High - Low); }
};

// The scale with the fewest round steps, at most maxSteps, that holds low
// and high. An empty range is widened around its value, or from 0 up to 1.
AxisScale NiceScale(double low, double high, int maxSteps);
