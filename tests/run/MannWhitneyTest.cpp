#include "run/MannWhitney.h"

#include <gtest/gtest.h>

TEST(MannWhitney, KnownCases) {
    std::vector<double> slow(30);
    std::vector<double> fast(30);
    for (std::size_t i = 0; i < slow.size(); ++i) {
        fast[i] = 1.0 + 0.001 * static_cast<double>(i);
        slow[i] = 1.1 + 0.001 * static_cast<double>(i);
    }
    const struct {
        const char* name;
        std::vector<double> a;
        std::vector<double> b;
        double u;
        double p;
    } cases[] = {
        // A textbook pair of small samples: U = 17, asymptotic p = 0.1113.
        {"small samples", {19, 22, 16, 29, 24}, {20, 11, 17, 12}, 17.0, 0.111346886533},
        // Every value of a above every value of b: U = 30 * 30,
        // z = (450 - 0.5) / sqrt(900 * 61 / 12) = 6.6455.
        {"apart", slow, fast, 900.0, 3.0198594e-11},
        // Ties count half: a = {1, 2}, b = {2, 3} gives U = 0 + 0.5; the tie
        // narrows the variance to 1.5, so z = 1 / sqrt(1.5).
        {"ties", {1, 2}, {2, 3}, 0.5, 0.4142161782},
        {"all tied", {5, 5, 5}, {5, 5}, 3.0, 1.0},
        {"empty", {}, {1, 2}, 0.0, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MannWhitneyResult result = MannWhitneyU(c.a, c.b);
        EXPECT_DOUBLE_EQ(result.U, c.u);
        EXPECT_NEAR(result.P / c.p, 1.0, 1e-3);
    }
}
