#include "PassTimesFigure.h"

#include "HtmlText.h"
#include "Statistics.h"
#include "SvgChart.h"

#include <algorithm>

namespace {

constexpr std::size_t kCompressions = 50;
constexpr std::size_t kPerRow = 10;

std::string ms(double seconds) {
    return FixedText(seconds * 1000.0, 1);
}

const char* kindOf(std::size_t pass) {
    return pass < kCompressions ? "compression" : "decompression";
}

std::string chart(const std::vector<double>& times) {
    SvgChart svg("pass-times", "Pass times of the run",
                 "One bar per pass, its height the pass time in milliseconds: " +
                     std::to_string(std::min(times.size(), kCompressions)) +
                     " compressions, then " +
                     std::to_string(times.size() - std::min(times.size(), kCompressions)) +
                     " decompressions.",
                 720, 320, {60, 12, 44, 64});
    double slowest = 0.0;
    for (const double time : times) {
        slowest = std::max(slowest, time * 1000.0);
    }
    const AxisScale scale = NiceScale(0.0, slowest, 5);
    svg.LeftAxis(scale, "pass time (ms)");
    const double slot =
        svg.PlotWidth() / static_cast<double>(std::max<std::size_t>(times.size(), 1));
    const auto centre = [&](std::size_t pass) {
        return svg.PlotLeft() + (static_cast<double>(pass) + 0.5) * slot;
    };
    for (std::size_t pass = 0; pass < times.size(); ++pass) {
        const double top = svg.Y(scale, times[pass] * 1000.0);
        svg.Rect(centre(pass) - slot * 0.39, top, slot * 0.78, svg.PlotBottom() - top,
                 std::string("pass ") + kindOf(pass),
                 "pass " + std::to_string(pass + 1) + ", " + kindOf(pass) + ": " + ms(times[pass]) +
                     " ms");
    }
    if (times.size() > kCompressions) {
        const double x = svg.PlotLeft() + static_cast<double>(kCompressions) * slot;
        svg.Line(x, svg.PlotTop(), x, svg.PlotBottom(), "divider");
    }
    std::vector<std::pair<double, std::string>> labels;
    for (std::size_t pass = 1; pass <= times.size(); pass = pass == 1 ? 10 : pass + 10) {
        labels.emplace_back(centre(pass - 1), std::to_string(pass));
    }
    svg.BottomLabels(labels, "pass");
    return svg.Svg();
}

std::string summaryRow(const char* kind, const std::vector<double>& times) {
    if (times.empty()) {
        return "";
    }
    const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
    return std::string("<tr><th scope=\"row\">") + kind + "</th><td>" +
           std::to_string(times.size()) + "</td><td>" + ms(Statistics::Median(times)) +
           "</td><td>" + ms(*fastest) + "</td><td>" + ms(*slowest) + "</td></tr>";
}

std::string summaryTable(const std::vector<double>& times) {
    const auto split = times.begin() + static_cast<long>(std::min(times.size(), kCompressions));
    return "<div class=\"table-box\"><table><caption>Pass times (ms)</caption><thead><tr><th "
           "scope=\"col\">kind</th><th scope=\"col\">passes</th><th scope=\"col\">median</th><th "
           "scope=\"col\">min</th><th scope=\"col\">max</th></tr></thead><tbody>" +
           summaryRow("compression", {times.begin(), split}) +
           summaryRow("decompression", {split, times.end()}) + "</tbody></table></div>";
}

// Every time, ten passes a row: row 21, column +3 is pass 24. The
// compressions and decompressions are groups of their own.
std::string everyTimeTable(const std::vector<double>& times) {
    std::string html = "<div class=\"table-box\"><table class=\"pass-grid\"><caption>Every pass "
                       "time (ms), ten a row: row 21, column +3 is pass 24</caption><thead><tr><th "
                       "scope=\"col\">pass</th>";
    for (std::size_t column = 0; column < kPerRow; ++column) {
        html += "<th scope=\"col\">+" + std::to_string(column) + "</th>";
    }
    html += "</tr></thead>";
    for (std::size_t row = 0; row < times.size(); row += kPerRow) {
        if (row == 0 || row == kCompressions) {
            html += std::string(row == 0 ? "" : "</tbody>") + "<tbody class=\"" + kindOf(row) +
                    "\"><tr><th scope=\"rowgroup\" colspan=\"" + std::to_string(kPerRow + 1) +
                    "\">" + (row == 0 ? "Compressions" : "Decompressions") + "</th></tr>";
        }
        const std::size_t last = std::min(row + kPerRow, times.size());
        html += "<tr><th scope=\"row\">" + std::to_string(row + 1) + "</th>";
        for (std::size_t pass = row; pass < last; ++pass) {
            html += "<td>" + ms(times[pass]) + "</td>";
        }
        html += "</tr>";
    }
    return html + (times.empty() ? "" : "</tbody>") + "</table></div>";
}

// The legend as text that wraps on a narrow window, each entry with a swatch
// of its colour.
std::string legend() {
    std::string html = "<ul class=\"legend\">";
    for (const char* entry : {"compression (passes 1–50)", "decompression (passes 51–101)"}) {
        const std::string kind(entry, std::string_view(entry).find(' '));
        html += "<li><svg class=\"swatch\" viewBox=\"0 0 10 10\" aria-hidden=\"true\"><rect "
                "class=\"" +
                kind + "\" width=\"10\" height=\"10\"/></svg>" + entry + "</li>";
    }
    return html + "</ul>";
}

} // namespace

std::string PassTimesFigure(const std::vector<double>& passTimes) {
    return "<div class=\"pair\"><figure>" + legend() + chart(passTimes) + "<figcaption>The run's " +
           std::to_string(passTimes.size()) +
           " passes in order, one bar each: compressions in blue, decompressions in orange. Time "
           "Summa is the sum of passes 1 to 100. A bar far above its neighbours is an outlier; "
           "bars that climb during the run point to throttling.</figcaption></figure>" +
           summaryTable(passTimes) + "</div>" + everyTimeTable(passTimes);
}
