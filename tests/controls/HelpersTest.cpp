#include "controls/OleColor.h"
#include "controls/PropertyBag.h"
#include "controls/PropertyValue.h"

#include <QVariantList>
#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(OleColor, RgbIsRedInTheLowByte) {
    EXPECT_EQ(OleColorToQColor(0x00FF8080), QColor(128, 128, 255));
    EXPECT_EQ(OleColorToQColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(OleColorToQColor(0x00010203), QColor(3, 2, 1));
}

TEST(OleColor, SystemColorsComeFromThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    EXPECT_EQ(OleColorToQColor(0x8000000F, palette), QColor(1, 2, 3));
    EXPECT_EQ(OleColorToQColor(0x8000000D, palette), QColor(4, 5, 6));
    EXPECT_EQ(OleColorToQColor(0x800000FF, palette), QColor(Qt::black));
}

TEST(PropertyBag, NamesIgnoreCaseAndDefaultsAreDropped) {
    PropertyBag bag;
    bag.WriteProperty("BarColor", 5u, 13u);
    EXPECT_EQ(bag.ReadProperty("BARCOLOR", 13u), QVariant(5u));
    bag.WriteProperty("barcolor", 13u, 13u);
    EXPECT_FALSE(bag.Contains("BarColor"));
    EXPECT_EQ(bag.ReadProperty("BarColor", 13u), QVariant(13u));
}

template <typename T> struct ConversionCase {
    QVariant stored;
    std::optional<T> expected;
};

TEST(PropertyValue, ToInt32) {
    const ConversionCase<std::int32_t> cases[] = {
        {42, 42},
        {" 7 ", 7},
        {2.5, 2},
        {3.5, 4},
        {"1e3", 1000},
        {true, 1},
        {2147483647u, 2147483647},
        {2147483648u, {}},
        {-3e9, {}},
        {"abc", {}},
        {QVariantList{}, {}},
        {QVariant(), {}},
        {qQNaN(), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropertyValue::ToInt32(c.stored), c.expected)
            << c.stored.toString().toStdString();
    }
}

TEST(PropertyValue, ToColor) {
    const ConversionCase<std::uint32_t> cases[] = {
        {-2147483633, 0x8000000F}, {0x8000000Fu, 0x8000000F}, {"16744576", 0x00FF8080},
        {4294967296LL, {}},        {-2147483649LL, {}},       {"red", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropertyValue::ToColor(c.stored), c.expected)
            << c.stored.toString().toStdString();
    }
}

TEST(PropertyValue, ToBoolean) {
    const ConversionCase<bool> cases[] = {
        {"TRUE", true}, {"false", false}, {0, false},    {-1, true},
        {0.4, true},    {"0", false},     {"maybe", {}}, {QVariantList{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PropertyValue::ToBoolean(c.stored), c.expected)
            << c.stored.toString().toStdString();
    }
}

} // namespace
