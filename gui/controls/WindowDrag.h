#pragma once

#include <QPoint>

// Moving a frameless window by its bare surface: the point pressed stays under
// the pointer. Positions are pixels: the pointer within the client area and
// the window's top-left corner on the screen.
class WindowDrag {
  public:
    void Press(QPoint pointer) {
        Dragging = true;
        DragStart = pointer;
    }
    // Where the window goes for a pointer move, or the unchanged position.
    QPoint Move(QPoint windowPosition, QPoint pointer) const {
        return Dragging ? windowPosition + pointer - DragStart : windowPosition;
    }
    void Release() { Dragging = false; }
    bool IsDragging() const { return Dragging; }

  private:
    bool Dragging = false;
    QPoint DragStart;
};
