#pragma once

#include <QWidget>

// A window element that takes the pointer itself: presses and moves over it
// never reach the window's bare surface, so they start no drag, whichever
// button is pressed. It reports pointer moves and clicks while enabled; a
// click is a press and release of the left button on it, as on the desktop
// the windows imitate, so other buttons never act.
class PointerElement : public QWidget {
    Q_OBJECT

  public:
    explicit PointerElement(QWidget* parent = nullptr);

  signals:
    void Click();
    void MouseMove();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};
