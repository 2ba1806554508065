#pragma once

#include "WindowDrag.h"

#include <QWidget>

// A frameless, white program window that the user moves by dragging its bare
// surface with any mouse button. A pointer move over the bare surface first
// returns the window's hover images to rest (ResetHover).
class ChromeWindow : public QWidget {
    Q_OBJECT

  public:
    ChromeWindow(int clientWidthPx, int clientHeightPx, Qt::WindowFlags extraFlags,
                 QWidget* parent = nullptr);

    // Puts the window at the centre of its screen.
    void CenterOnScreen();

  protected:
    virtual void ResetHover() {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    WindowDrag drag_;
};
