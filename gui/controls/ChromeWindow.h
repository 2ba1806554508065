#pragma once

#include "controls/WindowDrag.h"

#include <QTimer>
#include <QWidget>
#include <chrono>

// A frameless, white program window that the user moves by dragging its bare
// surface with any mouse button. A pointer move over the bare surface first
// returns the window's hover images to rest (ResetHover).
//
// The window paints at most once a frame (30 per second), its elements and
// progress bars included. A change, even an element's repaint(), is painted
// at once only when the last paint lies a frame back; otherwise it stays
// marked and is painted with the next frame, together with whatever else
// changed meanwhile. During a benchmark run the bars and labels change up to
// 2000 times a second, and painting and sending each change to the display
// server on its own would cost more time than the passes themselves spend
// coding.
class ChromeWindow : public QWidget {
    Q_OBJECT

  public:
    ChromeWindow(int clientWidthPx, int clientHeightPx, Qt::WindowFlags extraFlags,
                 QWidget* parent = nullptr);

    // Puts the window at the centre of its screen.
    void CenterOnScreen();

  protected:
    virtual void ResetHover() {}

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    static constexpr std::chrono::milliseconds kFrame{33};

    WindowDrag drag_;
    std::chrono::steady_clock::time_point lastFrame_{};
    QTimer nextFrame_;
};
