#include "controls/CaptionLabel.h"

#include <QPainter>

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent)
    : PointerElement(parent), caption_(caption) {}

void CaptionLabel::SetCaption(const QString& caption) {
    if (caption == caption_) {
        return;
    }
    caption_ = caption;
    // Painted with the window's next paint, together with whatever else
    // changed since: a busy window paints when it yields.
    update();
}

void CaptionLabel::SetOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void CaptionLabel::SetBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

void CaptionLabel::SetForeColor(const QColor& color) {
    foreColor_ = color;
    update();
}

void CaptionLabel::SetBorder(bool border) {
    border_ = border;
    update();
}

void CaptionLabel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect all = rect();
    if (opaque_) {
        painter.fillRect(all, backColor_);
    }
    if (border_) {
        painter.setPen(QColor(100, 100, 100));
        painter.drawRect(all.adjusted(0, 0, -1, -1));
    }
    const QRect textRect = border_ ? all.adjusted(2, 1, -2, -1) : all;
    painter.setFont(font());
    painter.setPen(isEnabled() ? foreColor_ : QColor(128, 128, 128));
    painter.drawText(
        textRect, static_cast<int>(alignment_) | Qt::TextWordWrap | Qt::TextShowMnemonic, caption_);
}
