#pragma once

#include "controls/PointerElement.h"

#include <QPixmap>

// A picture element: draws its pixmap at its top-left corner.
class ImageBox : public PointerElement {
    Q_OBJECT

  public:
    explicit ImageBox(const QPixmap& picture, QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};
