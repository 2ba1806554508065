#include "controls/ProgBar.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>

namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

struct RangeCase {
    const char* name;
    std::function<void(ProgBar&)> act;
    std::int32_t max;
    std::int32_t min;
    std::int32_t value;
};

void PrintTo(const RangeCase& c, std::ostream* os) {
    *os << c.name;
}

class RangeClamp : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeClamp, MovesToNearestAllowedValue) {
    ProgBar bar;
    bar.InitProperties();
    GetParam().act(bar);
    EXPECT_EQ(bar.Max(), GetParam().max);
    EXPECT_EQ(bar.Min(), GetParam().min);
    EXPECT_EQ(bar.Value(), GetParam().value);
    EXPECT_EQ(bar.ScaleWidth(), static_cast<double>(bar.Max()) - bar.Min());
    EXPECT_EQ(bar.ScaleHeight(), bar.ScaleWidth());
}

INSTANTIATE_TEST_SUITE_P(
    Setters, RangeClamp,
    testing::Values(RangeCase{"MaxZero", [](ProgBar& b) { b.setMax(0); }, 1, 0, 1},
                    RangeCase{"MaxNegative", [](ProgBar& b) { b.setMax(-7); }, 1, 0, 1},
                    RangeCase{"MaxNotAboveMin",
                              [](ProgBar& b) {
                                  b.setMin(20);
                                  b.setMax(10);
                              },
                              21, 20, 21},
                    RangeCase{"MaxZeroAboveMin",
                              [](ProgBar& b) {
                                  b.setMin(20);
                                  b.setMax(0);
                              },
                              21, 20, 21},
                    RangeCase{"MaxPullsValueDown",
                              [](ProgBar& b) {
                                  b.setValue(70);
                                  b.setMax(40);
                              },
                              40, 0, 40},
                    RangeCase{"MinAboveMax", [](ProgBar& b) { b.setMin(150); }, 100, 99, 99},
                    RangeCase{"MinEqualToMax", [](ProgBar& b) { b.setMin(100); }, 100, 99, 99},
                    RangeCase{"MinNegative", [](ProgBar& b) { b.setMin(-5); }, 100, 0, 50},
                    RangeCase{"MinPushesValueUp", [](ProgBar& b) { b.setMin(60); }, 100, 60, 60},
                    RangeCase{"ValueAboveMax", [](ProgBar& b) { b.setValue(250); }, 100, 0, 100},
                    RangeCase{"ValueBelowMin", [](ProgBar& b) { b.setValue(-1); }, 100, 0, 0},
                    RangeCase{"ValueBelowRaisedMin",
                              [](ProgBar& b) {
                                  b.setMin(30);
                                  b.setValue(10);
                              },
                              100, 30, 30},
                    RangeCase{"ExtremeRange",
                              [](ProgBar& b) {
                                  b.setMax(kIntMax);
                                  b.setMin(kIntMax);
                                  b.setValue(kIntMin);
                              },
                              kIntMax, kIntMax - 1, kIntMax - 1}),
    [](const auto& info) { return std::string(info.param.name); });

class BorderStyleClamp : public testing::TestWithParam<std::pair<std::int32_t, std::int32_t>> {};

TEST_P(BorderStyleClamp, IsZeroOrOne) {
    ProgBar bar;
    bar.InitProperties();
    bar.setBorderStyle(GetParam().first);
    EXPECT_EQ(bar.BorderStyle(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Setters, BorderStyleClamp,
                         testing::Values(std::pair{5, 1}, std::pair{-3, 0}, std::pair{0, 0},
                                         std::pair{1, 1}, std::pair{kIntMin, 0},
                                         std::pair{kIntMax, 1}));

TEST(ProgBarCreation, HoldsZerosAndSkipsRescaleUntilMaxIsApplied) {
    ProgBar bar;
    EXPECT_EQ(bar.BackColor(), 0u);
    EXPECT_EQ(bar.BarColor(), 0u);
    EXPECT_FALSE(bar.Vertical());
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.BorderStyle(), 0);

    // A range of 0 gives no scale; the setters still clamp within 0 to 0.
    bar.setVertical(true);
    bar.setMin(5);
    bar.setValue(5);
    EXPECT_EQ(bar.ScaleWidth(), 0.0);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Value(), 0);

    bar.setMax(100);
    EXPECT_EQ(bar.ScaleWidth(), 100.0);
    EXPECT_EQ(bar.ScaleHeight(), 100.0);
}

} // namespace
