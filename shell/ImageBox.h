#pragma once

#include <QPixmap>
#include <QWidget>

// A picture element: draws its pixmap at its top-left corner, takes the
// pointer's presses and moves itself, and reports moves and clicks.
class ImageBox : public QWidget {
    Q_OBJECT

  public:
    explicit ImageBox(const QPixmap& picture, QWidget* parent = nullptr);

    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }

  signals:
    void Click();
    void MouseMove();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    bool pressed_ = false;
};
