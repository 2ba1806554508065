#include "controls/PointerElement.h"

#include <QMouseEvent>

PointerElement::PointerElement(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoMousePropagation);
}

void PointerElement::mousePressEvent(QMouseEvent* event) {
    // Every press is taken, so none starts a drag; only the left one can click.
    event->accept();
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
}

void PointerElement::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && isEnabled() && rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void PointerElement::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (isEnabled() && rect().contains(event->position().toPoint())) {
        emit MouseMove();
    }
}
