#include "report/SvgChart.h"

#include "report/HtmlText.h"

namespace {

// Coordinates with one decimal are finer than any screen shows the chart.
std::string n(double value) {
    return FixedText(value, 1);
}

std::string classAttribute(const std::string& cls) {
    return cls.empty() ? "" : " class=\"" + HtmlEscaped(cls) + "\"";
}

} // namespace

SvgChart::SvgChart(std::string id, std::string title, std::string description, double width,
                   double height, Margins margins)
    : id_(std::move(id)), title_(std::move(title)), description_(std::move(description)),
      width_(width), height_(height), margins_(margins) {}

double SvgChart::Y(const AxisScale& scale, double value) const {
    return PlotBottom() - scale.Fraction(value) * PlotHeight();
}

double SvgChart::X(const AxisScale& scale, double value) const {
    return PlotLeft() + scale.Fraction(value) * PlotWidth();
}

void SvgChart::LeftAxis(const AxisScale& scale, const std::string& title) {
    for (const double tick : scale.Ticks()) {
        const double y = Y(scale, tick);
        Line(PlotLeft(), y, PlotRight(), y, "grid");
        Text(PlotLeft() - 6, y + 4, FixedText(tick, scale.Decimals), "tick", "end");
    }
    Line(PlotLeft(), PlotTop(), PlotLeft(), PlotBottom(), "axis");
    // Level above the axis rather than turned along it: the tick labels keep
    // the room at the left, also when the texts grow on a narrow window.
    Text(4, PlotTop() - 16, title, "axis-title");
}

void SvgChart::BottomAxis(const AxisScale& scale, const std::string& title) {
    std::vector<std::pair<double, std::string>> labels;
    for (const double tick : scale.Ticks()) {
        const double x = X(scale, tick);
        Line(x, PlotTop(), x, PlotBottom(), "grid");
        labels.emplace_back(x, FixedText(tick, scale.Decimals));
    }
    BottomLabels(labels, title);
}

void SvgChart::BottomLabels(const std::vector<std::pair<double, std::string>>& labels,
                            const std::string& title) {
    for (const auto& [x, label] : labels) {
        Line(x, PlotBottom(), x, PlotBottom() + 5, "axis");
        Text(x, PlotBottom() + 28, label, "tick", "middle");
    }
    Line(PlotLeft(), PlotBottom(), PlotRight(), PlotBottom(), "axis");
    Text((PlotLeft() + PlotRight()) / 2, height_ - 8, title, "axis-title", "middle");
}

void SvgChart::shape(const std::string& element, const std::string& attributes,
                     const std::string& tooltip) {
    if (tooltip.empty()) {
        body_ += "<" + element + attributes + "/>";
    } else {
        body_ += "<" + element + attributes + "><title>" + HtmlEscaped(tooltip) + "</title></" +
                 element + ">";
    }
}

void SvgChart::Rect(double x, double y, double width, double height, const std::string& cls,
                    const std::string& tooltip) {
    shape("rect",
          classAttribute(cls) + " x=\"" + n(x) + "\" y=\"" + n(y) + "\" width=\"" + n(width) +
              "\" height=\"" + n(height) + "\"",
          tooltip);
}

void SvgChart::Circle(double cx, double cy, double r, const std::string& cls,
                      const std::string& tooltip) {
    shape("circle",
          classAttribute(cls) + " cx=\"" + n(cx) + "\" cy=\"" + n(cy) + "\" r=\"" + n(r) + "\"",
          tooltip);
}

void SvgChart::Line(double x1, double y1, double x2, double y2, const std::string& cls) {
    shape("line",
          classAttribute(cls) + " x1=\"" + n(x1) + "\" y1=\"" + n(y1) + "\" x2=\"" + n(x2) +
              "\" y2=\"" + n(y2) + "\"",
          "");
}

void SvgChart::Polyline(const std::vector<std::pair<double, double>>& points,
                        const std::string& cls) {
    std::string list;
    for (const auto& [x, y] : points) {
        list += (list.empty() ? "" : " ") + n(x) + "," + n(y);
    }
    shape("polyline", classAttribute(cls) + " points=\"" + list + "\"", "");
}

void SvgChart::Text(double x, double y, const std::string& text, const std::string& cls,
                    const char* anchor) {
    body_ += "<text" + classAttribute(cls) + " x=\"" + n(x) + "\" y=\"" + n(y) +
             "\" text-anchor=\"" + anchor + "\">" + HtmlEscaped(text) + "</text>";
}

void SvgChart::BarLabel(double x, double y, const std::string& label, const std::string& marks,
                        const std::string& cls) {
    // A longer label is cut, the shorter length for a narrow window where the
    // chart's texts grow; the tables beside the charts hold it whole.
    constexpr std::size_t kWide = 64;
    constexpr std::size_t kNarrow = 40;
    const std::string narrow = ShortenedText(label, kNarrow - marks.size()) + marks;
    const std::string wide = ShortenedText(label, kWide - marks.size()) + marks;
    if (narrow == wide) {
        Text(x, y, wide, cls);
    } else {
        Text(x, y, wide, cls + " wide");
        Text(x, y, narrow, cls + " narrow");
    }
}

std::string SvgChart::Svg() const {
    const std::string id = HtmlEscaped(id_);
    return "<svg id=\"" + id + "\" class=\"chart\" viewBox=\"0 0 " + n(width_) + " " + n(height_) +
           "\" role=\"img\" aria-labelledby=\"" + id + "-title " + id + "-desc\"><title id=\"" +
           id + "-title\">" + HtmlEscaped(title_) + "</title><desc id=\"" + id + "-desc\">" +
           HtmlEscaped(description_) + "</desc>" + body_ + "</svg>";
}
