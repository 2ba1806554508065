#include "controls/ProgBar.h"

#include "controls/OleColor.h"
#include "controls/PropertyValue.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kDefaultBackColor = OleColor::kButtonFace;
constexpr std::uint32_t kDefaultBarColor = OleColor::kHighlight;
constexpr bool kDefaultVertical = false;
constexpr std::int32_t kDefaultMax = 100;
constexpr std::int32_t kDefaultMin = 0;
constexpr std::int32_t kDefaultValue = 50;
constexpr std::int32_t kDefaultBorderStyle = 1;

constexpr std::uint32_t kWindowBackColor = 0x00FFFFFF;
constexpr std::uint32_t kWindowBarColor = 0x00FF8080;

// The single-line border: a sunken one-pixel edge, darker at the top and left.
const QColor kBorderShadow(128, 128, 128);
const QColor kBorderLight(192, 192, 192);

const QString kBackColor = QStringLiteral("BackColor");
const QString kBarColor = QStringLiteral("BarColor");
const QString kVertical = QStringLiteral("Vertical");
const QString kMax = QStringLiteral("Max");
const QString kMin = QStringLiteral("Min");
const QString kValue = QStringLiteral("Value");
const QString kBorderStyle = QStringLiteral("BorderStyle");

// Rounds to the nearest integer, an exact half to the even neighbour.
double RoundHalfEven(double x) {
    return std::nearbyint(x);
}

} // namespace

ProgBar::ProgBar(QWidget* parent) : QWidget(parent) {
    // The control's own background is BackColor, kept in the Window role.
    setAutoFillBackground(true);
}

void ProgBar::setBackColor(std::uint32_t color) {
    backColor_ = color;
    QPalette own = palette();
    own.setColor(QPalette::Window, OleColorToQColor(color));
    setPalette(own);
    Redraw();
    emit propertyChanged(kBackColor);
}

void ProgBar::setBarColor(std::uint32_t color) {
    barColor_ = color;
    Redraw();
    emit propertyChanged(kBarColor);
}

void ProgBar::setVertical(bool vertical) {
    vertical_ = vertical;
    Rescale();
    emit propertyChanged(kVertical);
}

void ProgBar::setMax(std::int32_t max) {
    if (max < 1) {
        max = 1;
    }
    if (max <= min_) {
        max = min_ + 1;
    }
    max_ = max;
    if (value_ > max) {
        setValue(max);
    }
    Rescale();
    emit propertyChanged(kMax);
}

void ProgBar::setMin(std::int32_t min) {
    if (min >= max_) {
        min = max_ - 1;
    }
    if (min < 0) {
        min = 0;
    }
    min_ = min;
    if (value_ < min) {
        setValue(min);
    }
    Rescale();
    emit propertyChanged(kMin);
}

void ProgBar::setValue(std::int32_t value) {
    if (value > max_) {
        value = max_;
    }
    if (value < min_) {
        value = min_;
    }
    value_ = value;
    Redraw();
    emit propertyChanged(kValue);
}

void ProgBar::setBorderStyle(std::int32_t style) {
    style = std::clamp(style, 0, 1);
    borderStyle_ = style;
    setContentsMargins(style, style, style, style);
    Rescale();
    emit propertyChanged(kBorderStyle);
}

void ProgBar::InitProperties() {
    setBackColor(kDefaultBackColor);
    setBarColor(kDefaultBarColor);
    setVertical(kDefaultVertical);
    setMax(kDefaultMax);
    setMin(kDefaultMin);
    setValue(kDefaultValue);
    setBorderStyle(kDefaultBorderStyle);
}

void ProgBar::ReadProperties(const PropertyBag& bag) {
    if (const auto color =
            PropertyValue::ToColor(bag.ReadProperty(kBackColor, kDefaultBackColor))) {
        setBackColor(*color);
    }
    if (const auto color = PropertyValue::ToColor(bag.ReadProperty(kBarColor, kDefaultBarColor))) {
        setBarColor(*color);
    }
    if (const auto vertical =
            PropertyValue::ToBoolean(bag.ReadProperty(kVertical, kDefaultVertical))) {
        setVertical(*vertical);
    }
    if (const auto max = PropertyValue::ToInt32(bag.ReadProperty(kMax, kDefaultMax))) {
        setMax(*max);
    }
    if (const auto min = PropertyValue::ToInt32(bag.ReadProperty(kMin, kDefaultMin))) {
        setMin(*min);
    }
    if (const auto value = PropertyValue::ToInt32(bag.ReadProperty(kValue, kDefaultValue))) {
        setValue(*value);
    }
    if (const auto style =
            PropertyValue::ToInt32(bag.ReadProperty(kBorderStyle, kDefaultBorderStyle))) {
        setBorderStyle(*style);
    }
}

void ProgBar::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(kBackColor, backColor_, kDefaultBackColor);
    bag.WriteProperty(kBarColor, barColor_, kDefaultBarColor);
    bag.WriteProperty(kVertical, vertical_, kDefaultVertical);
    bag.WriteProperty(kMax, max_, kDefaultMax);
    bag.WriteProperty(kMin, min_, kDefaultMin);
    bag.WriteProperty(kValue, value_, kDefaultValue);
    bag.WriteProperty(kBorderStyle, borderStyle_, kDefaultBorderStyle);
}

void ProgBar::ConfigureAsWindowBar(ProgBar& bar) {
    // The windows keep only what differs from the defaults, in lower case.
    PropertyBag settings;
    settings.WriteProperty(QStringLiteral("backcolor"), kWindowBackColor);
    settings.WriteProperty(QStringLiteral("barcolor"), kWindowBarColor);
    settings.WriteProperty(QStringLiteral("value"), 0);
    bar.ReadProperties(settings);
    bar.resize(bar.width(), kWindowBarHeight);
}

void ProgBar::Rescale() {
    // Before the first Max the range is 0, which is no valid scale: keep the old one.
    const double range = static_cast<double>(max_) - min_;
    if (range > 0) {
        scaleWidth_ = range;
        scaleHeight_ = range;
    }
    Redraw();
}

void ProgBar::Redraw() {
    repaint();
}

void ProgBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (borderStyle_ == 1) {
        DrawBorder(painter);
    }
    if (scaleWidth_ <= 0 || scaleHeight_ <= 0) {
        painter.fillRect(contentsRect(), OleColorToQColor(backColor_));
        return;
    }
    const double d = static_cast<double>(value_) - min_;
    const double w = RoundHalfEven(scaleWidth_);
    const double h = RoundHalfEven(scaleHeight_);
    // The background part first, the bar last, so the bar shows where they meet.
    if (!vertical_) {
        FillUnits(painter, d, 0, w, h, backColor_);
        if (d > 0) {
            FillUnits(painter, 0, 0, d, h, barColor_);
        }
    } else {
        FillUnits(painter, 0, 0, w, h - d, backColor_);
        if (d > 0) {
            FillUnits(painter, 0, h, w, h - d, barColor_);
        }
    }
}

void ProgBar::FillUnits(QPainter& painter, double x1, double y1, double x2, double y2,
                        std::uint32_t color) const {
    // A unit coordinate maps to the pixel edge nearest to it, so adjoining
    // rectangles meet without gap or overlap and the bar covers its exact share.
    const QRect area = contentsRect();
    const auto toX = [&](double x) {
        return area.left() + static_cast<int>(RoundHalfEven(x * area.width() / scaleWidth_));
    };
    const auto toY = [&](double y) {
        return area.top() + static_cast<int>(RoundHalfEven(y * area.height() / scaleHeight_));
    };
    const int left = std::min(toX(x1), toX(x2));
    const int right = std::max(toX(x1), toX(x2));
    const int top = std::min(toY(y1), toY(y2));
    const int bottom = std::max(toY(y1), toY(y2));
    const QRect pixels = QRect(left, top, right - left, bottom - top).intersected(area);
    if (!pixels.isEmpty()) {
        painter.fillRect(pixels, OleColorToQColor(color));
    }
}

void ProgBar::DrawBorder(QPainter& painter) const {
    const QRect frame = rect();
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), 1), kBorderShadow);
    painter.fillRect(QRect(frame.left(), frame.top(), 1, frame.height()), kBorderShadow);
    painter.fillRect(QRect(frame.left() + 1, frame.bottom(), frame.width() - 1, 1), kBorderLight);
    painter.fillRect(QRect(frame.right(), frame.top() + 1, 1, frame.height() - 1), kBorderLight);
}

void ProgBar::resizeEvent(QResizeEvent*) {
    Rescale();
}

void ProgBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
    }
    // Kept, not passed on: the press belongs to the bar, not to the window below.
    event->accept();
}

void ProgBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        if (rect().contains(event->position().toPoint())) {
            emit Click();
        }
    }
    event->accept();
}
