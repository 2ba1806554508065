#include "controls/ChromeWindow.h"
#include "controls/WindowDrag.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// A child element that counts how often it is painted.
class PaintCounter : public QWidget {
  public:
    using QWidget::QWidget;
    int Paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++Paints; }
};

} // namespace

TEST(WindowDrag, ThePressedPointStaysUnderThePointer) {
    const struct {
        QPoint press, window, pointer, expected;
    } cases[] = {
        {{250, 10}, {100, 100}, {280, 30}, {130, 120}},
        {{250, 10}, {100, 100}, {200, 5}, {50, 95}},
        {{0, 0}, {0, 0}, {-20, -30}, {-20, -30}},
    };
    for (const auto& c : cases) {
        WindowDrag drag;
        EXPECT_EQ(drag.Move(c.window, c.pointer), c.window); // no press, no move
        drag.Press(c.press);
        EXPECT_EQ(drag.Move(c.window, c.pointer), c.expected);
        drag.Release();
        EXPECT_EQ(drag.Move(c.window, c.pointer), c.window);
    }
}

TEST(ChromeWindow, ChangesWithinOneFrameReachTheScreenTogetherAndLate) {
    ChromeWindow window(200, 100, {});
    auto* element = new PaintCounter(&window);
    element->setGeometry(10, 10, 50, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);

    element->repaint(); // a new frame: drawn at once
    const int afterFirst = element->Paints;
    element->repaint(); // within the same frame: waits for the next one
    element->update();
    EXPECT_EQ(element->Paints, afterFirst);
    EXPECT_TRUE(QTest::qWaitFor([&] { return element->Paints > afterFirst; }, 200));
    EXPECT_EQ(element->Paints, afterFirst + 1); // the two changes went in one paint
}
