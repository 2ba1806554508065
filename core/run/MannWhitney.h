#pragma once

#include <vector>

// The Mann-Whitney U test: whether values of one sample tend to be larger or
// smaller than those of another, without assuming any distribution. Pass
// times are skewed by interruptions, so a test on ranks judges them better
// than one on means.
struct MannWhitneyResult {
    // U of the first sample: how many pairs (a, b) have a > b, ties counting half.
    double U = 0.0;
    // Two-sided p-value from the normal approximation, corrected for ties and
    // for continuity; 1 when either sample is empty or every value is tied.
    double P = 1.0;
};

MannWhitneyResult MannWhitneyU(const std::vector<double>& a, const std::vector<double>& b);
