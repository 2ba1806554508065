#include "controls/ProgBar.h"

#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

class CountingBar : public ProgBar {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        ProgBar::paintEvent(event);
    }
};

TEST(ProgBarEvents, ClickFollowsALeftClickInsideTheBar) {
    ProgBar bar;
    bar.InitProperties();
    bar.resize(100, 20);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy clicks(&bar, &ProgBar::Click);

    QTest::mouseClick(&bar, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mouseClick(&bar, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(clicks.count(), 1);
}

struct SetterCase {
    const char* property;
    std::function<void(ProgBar&)> setSame;
};

void PrintTo(const SetterCase& c, std::ostream* os) {
    *os << c.property;
}

class PropertyChanged : public testing::TestWithParam<SetterCase> {};

TEST_P(PropertyChanged, IsRaisedEvenForAnUnchangedValue) {
    ProgBar bar;
    bar.InitProperties();
    QSignalSpy changes(&bar, &ProgBar::propertyChanged);
    GetParam().setSame(bar);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toString(), GetParam().property);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, PropertyChanged,
    testing::Values(SetterCase{"BackColor", [](ProgBar& b) { b.setBackColor(b.BackColor()); }},
                    SetterCase{"BarColor", [](ProgBar& b) { b.setBarColor(b.BarColor()); }},
                    SetterCase{"Vertical", [](ProgBar& b) { b.setVertical(b.Vertical()); }},
                    SetterCase{"Max", [](ProgBar& b) { b.setMax(b.Max()); }},
                    SetterCase{"Min", [](ProgBar& b) { b.setMin(b.Min()); }},
                    SetterCase{"Value", [](ProgBar& b) { b.setValue(b.Value()); }},
                    SetterCase{"BorderStyle",
                               [](ProgBar& b) { b.setBorderStyle(b.BorderStyle()); }}),
    [](const auto& info) { return std::string(info.param.property); });

TEST(ProgBarEvents, LoweringMaxReportsValueThenMax) {
    ProgBar bar;
    bar.InitProperties();
    bar.setValue(70);
    QSignalSpy changes(&bar, &ProgBar::propertyChanged);
    bar.setMax(40);
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toString(), "Value");
    EXPECT_EQ(changes.at(1).at(0).toString(), "Max");
}

// A host busy on the user-interface thread processes no events between
// settings, so each setter must paint by itself.
TEST(ProgBarEvents, SettersPaintWithoutWaitingForTheEventLoop) {
    CountingBar bar;
    bar.InitProperties();
    bar.resize(100, 9);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    for (int value = 1; value <= 3; ++value) {
        const int before = bar.paints;
        bar.setValue(value);
        EXPECT_GT(bar.paints, before) << value;
    }
    const int before = bar.paints;
    bar.setBarColor(0x00FF0000);
    EXPECT_GT(bar.paints, before);
}

} // namespace
