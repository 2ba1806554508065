#include "run/Statistics.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace Statistics {

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0.0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 != 0) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2.0;
}

double Mean(const std::vector<double>& values) {
    if (values.empty()) {
        return 0.0;
    }
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

double CoefficientOfVariation(const std::vector<double>& values) {
    const double mean = Mean(values);
    if (values.size() < 2 || mean == 0.0) {
        return 0.0;
    }
    double squares = 0.0;
    for (const double value : values) {
        squares += (value - mean) * (value - mean);
    }
    return std::sqrt(squares / static_cast<double>(values.size() - 1)) / std::fabs(mean);
}

Spread SpreadOf(const std::vector<double>& values) {
    if (values.empty()) {
        return {};
    }
    const auto [min, max] = std::minmax_element(values.begin(), values.end());
    return {Median(values), *min, *max, CoefficientOfVariation(values)};
}

} // namespace Statistics
