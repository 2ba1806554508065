#include "ImageBox.h"

#include <QMouseEvent>
#include <QPainter>

ImageBox::ImageBox(const QPixmap& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoMousePropagation);
}

void ImageBox::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    event->accept();
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && isEnabled() && rect().contains(event->position().toPoint())) {
        emit Click();
    }
}

void ImageBox::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (isEnabled()) {
        emit MouseMove();
    }
}
