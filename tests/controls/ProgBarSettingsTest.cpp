#include "controls/OleColor.h"
#include "controls/ProgBar.h"
#include "controls/PropertyBag.h"

#include <QVariantList>
#include <gtest/gtest.h>

namespace {

void ExpectProperties(const ProgBar& bar, std::uint32_t back, std::uint32_t barColor, bool vertical,
                      std::int32_t max, std::int32_t min, std::int32_t value, std::int32_t border) {
    EXPECT_EQ(bar.BackColor(), back);
    EXPECT_EQ(bar.BarColor(), barColor);
    EXPECT_EQ(bar.Vertical(), vertical);
    EXPECT_EQ(bar.Max(), max);
    EXPECT_EQ(bar.Min(), min);
    EXPECT_EQ(bar.Value(), value);
    EXPECT_EQ(bar.BorderStyle(), border);
}

TEST(ProgBarSettings, InitPropertiesAppliesTheDefaults) {
    ProgBar bar;
    bar.InitProperties();
    ExpectProperties(bar, 0x8000000F, 0x8000000D, false, 100, 0, 50, 1);
}

TEST(ProgBarSettings, LowerCaseStoreSetsThreeAndDefaultsTheRest) {
    ProgBar bar;
    bar.InitProperties();
    bar.setVertical(true);
    bar.setMax(500);
    bar.setBorderStyle(0);
    PropertyBag bag;
    bag.WriteProperty("backcolor", 0x00FFFFFFu);
    bag.WriteProperty("barcolor", 0x00FF8080u);
    bag.WriteProperty("value", 0);
    bar.ReadProperties(bag);
    ExpectProperties(bar, 0x00FFFFFF, 0x00FF8080, false, 100, 0, 0, 1);
}

TEST(ProgBarSettings, UnconvertibleValuesKeepTheCurrentValue) {
    ProgBar bar;
    bar.InitProperties();
    bar.setBackColor(0x00123456);
    bar.setVertical(true);
    bar.setMax(200);
    bar.setValue(70);
    PropertyBag bag;
    bag.WriteProperty("BackColor", QVariantList{1, 2});
    bag.WriteProperty("BarColor", "-2147483633");
    bag.WriteProperty("Vertical", "maybe");
    bag.WriteProperty("Max", "lots");
    bag.WriteProperty("Value", 1e12);
    bar.ReadProperties(bag);
    ExpectProperties(bar, 0x00123456, 0x8000000F, true, 200, 0, 70, 1);
}

// Min above the default Max restores only because Max is applied first.
TEST(ProgBarSettings, WrittenSettingsReadBackUnchanged) {
    ProgBar original;
    original.InitProperties();
    original.setBackColor(0x00010203);
    original.setBarColor(0x80000012);
    original.setVertical(true);
    original.setMax(300);
    original.setMin(150);
    original.setValue(200);
    original.setBorderStyle(0);
    PropertyBag bag;
    original.WriteProperties(bag);

    ProgBar restored;
    restored.ReadProperties(bag);
    ExpectProperties(restored, 0x00010203, 0x80000012, true, 300, 150, 200, 0);
}

TEST(ProgBarSettings, DefaultsAreNotStored) {
    ProgBar bar;
    bar.InitProperties();
    PropertyBag bag;
    bag.WriteProperty("VALUE", 7);
    bar.WriteProperties(bag);
    for (const char* name :
         {"BackColor", "BarColor", "Vertical", "Max", "Min", "Value", "BorderStyle"}) {
        EXPECT_FALSE(bag.Contains(name)) << name;
    }
    bar.setValue(0);
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.ReadProperty("value", 50), QVariant(0));
}

TEST(ProgBarSettings, WindowBarConfiguration) {
    ProgBar bar;
    ProgBar::ConfigureAsWindowBar(bar);
    ExpectProperties(bar, 0x00FFFFFF, 0x00FF8080, false, 100, 0, 0, 1);
    EXPECT_EQ(bar.height(), 9);
}

} // namespace
