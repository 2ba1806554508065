#pragma once

#include <vector>

// Figures that describe a set of repeated measurements.
namespace Statistics {

// The middle value; the mean of the two middle values for an even count.
// An empty set gives 0.
double Median(std::vector<double> values);
double Mean(const std::vector<double>& values);
// Sample standard deviation (n - 1) over the mean: the spread in relation to
// the size of the values. Fewer than two values, or a mean of 0, give 0.
double CoefficientOfVariation(const std::vector<double>& values);

// The middle, the ends and the coefficient of variation of a set; all 0 for
// an empty set.
struct Spread {
    double Median = 0.0;
    double Min = 0.0;
    double Max = 0.0;
    double Cv = 0.0;
};
Spread SpreadOf(const std::vector<double>& values);

} // namespace Statistics
