#include "controls/OleColor.h"
#include "controls/ProgBar.h"

#include <QImage>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kRed = 0x000000FF;
const QColor kBack(255, 255, 255);
const QColor kBar(255, 0, 0);

// A bar whose drawing area inside the border is 100 by 100 pixels.
void Configure(ProgBar& bar, bool vertical) {
    bar.InitProperties();
    bar.setBackColor(kWhite);
    bar.setBarColor(kRed);
    bar.setVertical(vertical);
    bar.resize(102, 102);
}

// Pixels of the drawing area (offset by the border) that differ from the expectation.
int Mismatches(ProgBar& bar, const std::function<QColor(int x, int y)>& expected) {
    const QImage image = bar.grab().toImage();
    const int border = bar.BorderStyle();
    int wrong = 0;
    for (int y = border; y < image.height() - border; ++y) {
        for (int x = border; x < image.width() - border; ++x) {
            if (image.pixelColor(x, y) != expected(x - border, y - border)) {
                ++wrong;
            }
        }
    }
    return wrong;
}

struct DrawCase {
    const char* name;
    bool vertical;
    std::int32_t value;
    std::function<QColor(int x, int y)> expected;
};

void PrintTo(const DrawCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgBarDraw : public testing::TestWithParam<DrawCase> {};

TEST_P(ProgBarDraw, FillsBarAndBackground) {
    ProgBar bar;
    Configure(bar, GetParam().vertical);
    bar.setValue(GetParam().value);
    EXPECT_EQ(Mismatches(bar, GetParam().expected), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, ProgBarDraw,
    testing::Values(
        DrawCase{"ValueMinIsAllBack", false, 0, [](int, int) { return kBack; }},
        DrawCase{"ValueMaxIsAllBar", false, 100, [](int, int) { return kBar; }},
        DrawCase{"HorizontalHalf", false, 50, [](int x, int) { return x < 50 ? kBar : kBack; }},
        DrawCase{"HorizontalOnePercent", false, 1, [](int x, int) { return x < 1 ? kBar : kBack; }},
        DrawCase{"VerticalMinIsAllBack", true, 0, [](int, int) { return kBack; }},
        DrawCase{"VerticalQuarter", true, 25, [](int, int y) { return y >= 75 ? kBar : kBack; }},
        DrawCase{"VerticalFull", true, 100, [](int, int) { return kBar; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgBarDrawing, LoweringMaxBelowValueFillsTheArea) {
    ProgBar bar;
    Configure(bar, false);
    bar.setValue(70);
    bar.setMax(40);
    EXPECT_EQ(Mismatches(bar, [](int, int) { return kBar; }), 0);
}

TEST(ProgBarDrawing, RangeWithOffsetMinScalesToMaxMinusMin) {
    ProgBar bar;
    Configure(bar, false);
    bar.setMax(300);
    bar.setMin(200);
    bar.setValue(230);
    EXPECT_EQ(Mismatches(bar, [](int x, int) { return x < 30 ? kBar : kBack; }), 0);
}

TEST(ProgBarDrawing, BorderFramesTheAreaOnlyWhenSwitchedOn) {
    ProgBar bar;
    Configure(bar, false);
    bar.setValue(100);
    const QImage framed = bar.grab().toImage();
    EXPECT_NE(framed.pixelColor(0, 50), kBar);
    EXPECT_NE(framed.pixelColor(101, 50), kBar);
    EXPECT_EQ(framed.pixelColor(1, 50), kBar);

    bar.setBorderStyle(0);
    EXPECT_EQ(Mismatches(bar, [](int, int) { return kBar; }), 0);
}

// On a bar as wide as the windows' narrower ones the bar covers its share of
// the area to the nearest pixel.
TEST(ProgBarDrawing, WindowBarCoversItsShareOfTheWidth) {
    ProgBar bar;
    bar.resize(233, 1);
    ProgBar::ConfigureAsWindowBar(bar);
    ASSERT_EQ(bar.height(), ProgBar::kWindowBarHeight);
    const double areaWidth = bar.width() - 2;
    for (const int percent : {0, 1, 13, 50, 77, 99, 100}) {
        bar.setValue(percent);
        const QImage image = bar.grab().toImage();
        int barPixels = 0;
        for (int x = 1; x <= areaWidth; ++x) {
            barPixels += image.pixelColor(x, 4) == OleColorToQColor(0x00FF8080) ? 1 : 0;
        }
        EXPECT_LE(std::abs(barPixels - percent * areaWidth / 100), 0.5) << percent;
    }
}

} // namespace
