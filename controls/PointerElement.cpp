#include "PointerElement.h"

#include <QMouseEvent>

PointerElement::PointerElement(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoMousePropagation);
}

void PointerElement::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    event->accept();
}

void PointerElement::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
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
