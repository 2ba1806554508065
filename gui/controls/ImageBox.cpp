#include "controls/ImageBox.h"

#include <QPainter>

ImageBox::ImageBox(const QPixmap& picture, QWidget* parent)
    : PointerElement(parent), picture_(picture) {}

void ImageBox::SetPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}
