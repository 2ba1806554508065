#pragma once

#include "controls/PointerElement.h"

#include <QColor>

// A label as the windows use it: a caption with an access-key marker "&",
// transparent or filled background, optional thin border, alignment and
// word wrap.
class CaptionLabel : public PointerElement {
    Q_OBJECT

  public:
    explicit CaptionLabel(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Opaque labels fill their rectangle with BackColor; transparent ones show
    // what lies behind them.
    void SetOpaque(bool opaque);
    bool Opaque() const { return opaque_; }
    void SetBackColor(const QColor& color);
    void SetForeColor(const QColor& color);
    void SetBorder(bool border);
    void SetAlignment(Qt::Alignment alignment);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString caption_;
    bool opaque_ = false;
    bool border_ = false;
    QColor backColor_ = Qt::white;
    QColor foreColor_ = Qt::black;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};
