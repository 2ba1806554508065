#pragma once

#include "report/AxisScale.h"

#include <string>
#include <utility>
#include <vector>

// One chart as inline SVG with a title and a description for screen readers.
// It is drawn in user units on a box of the given size that scales to the
// width of its container; the marks go into a plot area inside margins that
// leave room for the axes' labels. Texts given to it are escaped.
class SvgChart {
  public:
    struct Margins {
        double Left = 0.0;
        double Right = 0.0;
        double Top = 0.0;
        double Bottom = 0.0;
    };

    SvgChart(std::string id, std::string title, std::string description, double width,
             double height, Margins margins);

    double PlotLeft() const { return margins_.Left; }
    double PlotRight() const { return width_ - margins_.Right; }
    double PlotTop() const { return margins_.Top; }
    double PlotBottom() const { return height_ - margins_.Bottom; }
    double PlotWidth() const { return PlotRight() - PlotLeft(); }
    double PlotHeight() const { return PlotBottom() - PlotTop(); }

    // A value axis up the left side: a gridline and a label at every tick,
    // and the axis title above it.
    void LeftAxis(const AxisScale& scale, const std::string& title);
    // A value axis along the bottom, the same way.
    void BottomAxis(const AxisScale& scale, const std::string& title);
    // Labels under the plot area at the given x positions, a tick at each,
    // and the axis title below them.
    void BottomLabels(const std::vector<std::pair<double, std::string>>& labels,
                      const std::string& title);

    // The y of a value on a left axis, and the x of one on a bottom axis.
    double Y(const AxisScale& scale, double value) const;
    double X(const AxisScale& scale, double value) const;

    // Shapes with a class for the style sheet; a tooltip becomes the
    // shape's own <title>.
    void Rect(double x, double y, double width, double height, const std::string& cls,
              const std::string& tooltip = "");
    void Circle(double cx, double cy, double r, const std::string& cls,
                const std::string& tooltip = "");
    void Line(double x1, double y1, double x2, double y2, const std::string& cls);
    void Polyline(const std::vector<std::pair<double, double>>& points, const std::string& cls);
    // anchor is "start", "middle" or "end".
    void Text(double x, double y, const std::string& text, const std::string& cls,
              const char* anchor = "start");

    // A bar's label: label cut to fit a 600-unit chart, then marks whole.
    // Where a narrow window needs a shorter cut, both are drawn and the style
    // sheet shows one of the two by the width of the window.
    void BarLabel(double x, double y, const std::string& label, const std::string& marks,
                  const std::string& cls);
    std::string Svg() const;

  private:
    void shape(const std::string& element, const std::string& attributes,
               const std::string& tooltip);

    std::string id_;
    std::string title_;
    std::string description_;
    double width_;
    double height_;
    Margins margins_;
    std::string body_;
};
