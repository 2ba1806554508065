#include "controls/SeparatorLines.h"

#include <QPainter>

SeparatorLines::SeparatorLines(QVector<Line> lines, QWidget* parent)
    : QWidget(parent), lines_(std::move(lines)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    QRect bounds;
    for (const Line& line : lines_) {
        bounds |= QRect(line.Points.p1(), line.Points.p2()).normalized().adjusted(0, 0, 1, 1);
    }
    setGeometry(bounds);
}

void SeparatorLines::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(-pos());
    for (const Line& line : lines_) {
        painter.setPen(QPen(line.Color, 1));
        painter.drawLine(line.Points);
    }
}
