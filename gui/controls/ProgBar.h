#pragma once

#include "controls/PropertyBag.h"

#include <QString>
#include <QWidget>
#include <cstdint>

class QMouseEvent;
class QPainter;
class QPaintEvent;
class QResizeEvent;

// The program's progress bar: a rectangle that shows where Value lies between
// Min and Max as a solid bar, growing from the left edge or, when Vertical,
// from the bottom edge. Setters never refuse a value: they move it to the
// nearest allowed one, ask for a repaint on the calling thread, so a host
// busy on the user-interface thread still sees the bar move, and then report
// the property's name through propertyChanged. On its own the bar repaints at
// once; inside a ChromeWindow the paint waits for the window's next frame.
class ProgBar : public QWidget {
    Q_OBJECT

  public:
    // Height in pixels of the bars the windows place.
    static constexpr int kWindowBarHeight = 9;

    // A new instance holds zeros everywhere until InitProperties or
    // ReadProperties gives it its settings.
    explicit ProgBar(QWidget* parent = nullptr);

    // Colour of the area the bar does not cover, and of the control itself.
    std::uint32_t BackColor() const { return backColor_; }
    void setBackColor(std::uint32_t color);

    std::uint32_t BarColor() const { return barColor_; }
    void setBarColor(std::uint32_t color);

    bool Vertical() const { return vertical_; }
    void setVertical(bool vertical);

    std::int32_t Max() const { return max_; }
    void setMax(std::int32_t max);

    std::int32_t Min() const { return min_; }
    void setMin(std::int32_t min);

    std::int32_t Value() const { return value_; }
    void setValue(std::int32_t value);

    // 0: no border; 1: a fixed single-line border around the drawing area.
    std::int32_t BorderStyle() const { return borderStyle_; }
    void setBorderStyle(std::int32_t style);

    // The drawing area's user scale: Max - Min units in both directions once
    // a range has been applied, 0 before.
    double ScaleWidth() const { return scaleWidth_; }
    double ScaleHeight() const { return scaleHeight_; }

    // Settings for an instance that has none saved.
    void InitProperties();
    // Applies saved settings in property order, each through its setter; a
    // missing name takes its default, a value of the wrong kind is skipped.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // The look of every bar on the program's windows: white, light blue bar,
    // Value 0, range 0 to 100, single border, kWindowBarHeight pixels tall.
    static void ConfigureAsWindowBar(ProgBar& bar);

  signals:
    void Click();
    // The named property was set; its saved settings are out of date.
    void propertyChanged(const QString& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Rescale();
    void Redraw();
    void DrawBorder(QPainter& painter) const;
    // Fills the rectangle between two corners given in scale units.
    void FillUnits(QPainter& painter, double x1, double y1, double x2, double y2,
                   std::uint32_t color) const;

    std::uint32_t backColor_ = 0;
    std::uint32_t barColor_ = 0;
    bool vertical_ = false;
    std::int32_t max_ = 0;
    std::int32_t min_ = 0;
    std::int32_t value_ = 0;
    std::int32_t borderStyle_ = 0;
    double scaleWidth_ = 0;
    double scaleHeight_ = 0;
    bool pressed_ = false;
};
