#include "run/Statistics.h"

#include <gtest/gtest.h>

TEST(Statistics, MedianAndCoefficientOfVariationOfFixedNumbers) {
    const struct {
        std::vector<double> values;
        double median;
        double cv;
    } cases[] = {
        {{}, 0.0, 0.0},
        {{4.0}, 4.0, 0.0},
        {{3.0, 1.0, 2.0}, 2.0, 0.5},               // sd 1, mean 2
        {{4.0, 1.0, 3.0, 2.0}, 2.5, 0.5163977795}, // sd sqrt(5/3), mean 2.5
        {{5.0, 5.0, 5.0, 5.0}, 5.0, 0.0},
        {{-1.0, 1.0}, 0.0, 0.0}, // a mean of 0 has no relative spread
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Statistics::Median(c.values), c.median);
        EXPECT_NEAR(Statistics::CoefficientOfVariation(c.values), c.cv, 1e-9);
    }
}
