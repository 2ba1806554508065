#include "report/PassTimesFigure.h"

#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/SvgChart.h"
#include "run/PassCounts.h"
#include "run/Statistics.h"

#include <algorithm>

namespace {

using PassCounts::kCompressions;
constexpr std::size_t kPerRow = 10;

std::string ms(double seconds) {
    return FixedText(seconds * 1000.0, 1);
}

const char* kindOf(std::size_t pass) {
    return pass < kCompressions ? "compression" : "decompression";
}

std::string chart(const std::vector<double>& times, const std::vector<int>& outliers) {
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
        const bool outlier = std::find(outliers.begin(), outliers.end(),
                                       static_cast<int>(pass + 1)) != outliers.end();
        svg.Rect(centre(pass) - slot * 0.39, top, slot * 0.78, svg.PlotBottom() - top,
                 std::string("pass ") + kindOf(pass) + (outlier ? " outlier" : ""),
                 "pass " + std::to_string(pass + 1) + ", " + kindOf(pass) + ": " + ms(times[pass]) +
                     " ms" + (outlier ? ", an outlier" : ""));
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
    const Statistics::Spread spread = Statistics::SpreadOf(times);
    return HtmlTable::Row(
        kind, HtmlTable::Cell(std::to_string(times.size())) + HtmlTable::Cell(ms(spread.Median)) +
                  HtmlTable::Cell(ms(spread.Min)) + HtmlTable::Cell(ms(spread.Max)));
}

std::string summaryTable(const std::vector<double>& times) {
    const auto split = times.begin() + static_cast<long>(std::min(times.size(), kCompressions));
    return HtmlTable::Start("Pass times (ms)", {"kind", "passes", "median", "min", "max"}) +
           "<tbody>" + summaryRow("compression", {times.begin(), split}) +
           summaryRow("decompression", {split, times.end()}) + "</tbody>" + HtmlTable::kEnd;
}

// Every time, ten passes a row: row 21, column +3 is pass 24. The
// compressions and decompressions are groups of their own.
std::string everyTimeTable(const std::vector<double>& times) {
    std::vector<std::string> columns{"pass"};
    for (std::size_t column = 0; column < kPerRow; ++column) {
        columns.push_back("+" + std::to_string(column));
    }
    std::string html = HtmlTable::Start(
        "Every pass time (ms), ten a row: row 21, column +3 is pass 24", columns, "pass-grid");
    for (std::size_t row = 0; row < times.size(); row += kPerRow) {
        if (row == 0 || row == kCompressions) {
            html += std::string(row == 0 ? "" : "</tbody>") + "<tbody class=\"" + kindOf(row) +
                    "\"><tr><th scope=\"rowgroup\" colspan=\"" + std::to_string(kPerRow + 1) +
                    "\">" + (row == 0 ? "Compressions" : "Decompressions") + "</th></tr>";
        }
        const std::size_t last = std::min(row + kPerRow, times.size());
        std::string cells;
        for (std::size_t pass = row; pass < last; ++pass) {
            cells += HtmlTable::Cell(ms(times[pass]));
        }
        html += HtmlTable::Row(std::to_string(row + 1), cells);
    }
    return html + (times.empty() ? "" : "</tbody>") + HtmlTable::kEnd;
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

std::string PassTimesFigure(const std::vector<double>& passTimes,
                            const std::vector<int>& outliers) {
    return "<div class=\"pair\"><figure>" + legend() + chart(passTimes, outliers) +
           "<figcaption>The run's " + std::to_string(passTimes.size()) +
           " passes in order, one bar each: compressions in blue, decompressions in orange. Time "
           "Summa is the sum of passes 1 to 100. A bar far above its neighbours is an outlier; "
           "bars that climb during the run point to throttling. Outlined bars are the outlier "
           "passes that the readings below explain.</figcaption></figure>" +
           summaryTable(passTimes) + "</div>" + everyTimeTable(passTimes);
}
