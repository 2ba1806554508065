#include "report/AxisScale.h"

#include <algorithm>
#include <cmath>

std::vector<double> AxisScale::Ticks() const {
    std::vector<double> ticks;
    const long steps = std::lround((High - Low) / Step);
    for (long i = 0; i <= steps; ++i) {
        ticks.push_back(Low + static_cast<double>(i) * Step);
    }
    return ticks;
}

AxisScale NiceScale(double low, double high, int maxSteps) {
    if (!(high > low) && low == 0.0) {
        high = 1.0;
    } else if (!(high > low)) {
        const double half = std::fabs(low) * 0.05;
        low -= half;
        high += half;
    }
    maxSteps = std::max(maxSteps, 1);
    // The step grows through 1, 2, 5, 10, 20, ... times a power of ten until
    // the rounded-out range takes no more than maxSteps of it.
    double magnitude = std::pow(10.0, std::floor(std::log10((high - low) / maxSteps)));
    const double factors[] = {1.0, 2.0, 5.0};
    for (;; magnitude *= 10.0) {
        for (const double factor : factors) {
            const double step = factor * magnitude;
            // A little slack, so that a value a rounding error above a
            // multiple of the step does not take a step of its own.
            const double first = std::floor(low / step + 1e-9) * step;
            const double last = std::ceil(high / step - 1e-9) * step;
            if (std::lround((last - first) / step) <= maxSteps) {
                AxisScale scale;
                scale.Low = first;
                scale.High = last;
                scale.Step = step;
                scale.Decimals =
                    std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
                return scale;
            }
        }
    }
}
