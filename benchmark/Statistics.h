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

} // namespace Statistics
