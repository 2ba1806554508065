#pragma once

#include <QColor>
#include <QLine>
#include <QVector>
#include <QWidget>

// Thin straight lines that set off a window's sections. Drawn on a surface of
// their own that lets every pointer event through to what lies beneath.
class SeparatorLines : public QWidget {
  public:
    struct Line {
        QLine Points; // in the coordinates of the parent
        QColor Color;
    };

    SeparatorLines(QVector<Line> lines, QWidget* parent);

    const QVector<Line>& Lines() const { return lines_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QVector<Line> lines_;
};
