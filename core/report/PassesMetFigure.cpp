#include "report/PassesMetFigure.h"

#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/SvgChart.h"
#include "results/PassCauses.h"
#include "run/PassCounts.h"

#include <algorithm>

namespace {

std::string percent(double fraction) {
    return FixedText(fraction * 100.0, 1) + " %";
}

std::string chart(const RunRecord& run) {
    const std::size_t passes = std::min(run.PassTimes.size(), run.Readings.size());
    SvgChart svg("passes-met", "What each pass met",
                 "For each of the " + std::to_string(passes) +
                     " passes, the share of its time it waited for a processor and had stolen "
                     "by the host, as stacked bars, and its clock as a share of the usual "
                     "clock, as a line.",
                 720, 220, {60, 12, 44, 64});
    const AxisScale scale = NiceScale(0.0, 100.0, 5);
    svg.LeftAxis(scale, "% of the pass / of the usual clock");
    const double slot = svg.PlotWidth() / static_cast<double>(std::max<std::size_t>(passes, 1));
    const auto centre = [&](std::size_t pass) {
        return svg.PlotLeft() + (static_cast<double>(pass) + 0.5) * slot;
    };
    const std::optional<double> usual = UsualClockMHz(run);
    std::vector<std::pair<double, double>> clock;
    for (std::size_t pass = 0; pass < passes; ++pass) {
        const PassReading& reading = run.Readings[pass];
        const double seconds = run.PassTimes[pass];
        double bottom = svg.PlotBottom();
        const auto bar = [&](const std::optional<double>& lost, const char* kind,
                             const char* words) {
            if (!lost || seconds <= 0.0 || *lost <= 0.0) {
                return;
            }
            const double share = std::min(*lost / seconds, 1.0);
            const double height = svg.PlotBottom() - svg.Y(scale, share * 100.0);
            bottom -= height;
            svg.Rect(centre(pass) - slot * 0.39, bottom, slot * 0.78, height,
                     std::string("met ") + kind,
                     "pass " + std::to_string(pass + 1) + ": " + words + " " + percent(share));
        };
        bar(reading.WaitSeconds, "waited", "waited for a processor");
        bar(reading.StolenSeconds, "stolen", "stolen by the host");
        if (usual && *usual > 0.0 && reading.ClockMHz) {
            clock.emplace_back(centre(pass),
                               svg.Y(scale, std::min(*reading.ClockMHz / *usual, 1.0) * 100.0));
        }
    }
    if (clock.size() > 1) {
        svg.Polyline(clock, "clock");
    }
    std::vector<std::pair<double, std::string>> labels;
    for (std::size_t pass = 1; pass <= passes; pass = pass == 1 ? 10 : pass + 10) {
        labels.emplace_back(centre(pass - 1), std::to_string(pass));
    }
    svg.BottomLabels(labels, "pass");
    return svg.Svg();
}

std::string legend() {
    return "<ul class=\"legend\"><li><svg class=\"swatch\" viewBox=\"0 0 10 10\" "
           "aria-hidden=\"true\"><rect class=\"met waited\" width=\"10\" "
           "height=\"10\"/></svg>waited for a processor</li><li><svg class=\"swatch\" "
           "viewBox=\"0 0 10 10\" aria-hidden=\"true\"><rect class=\"met stolen\" width=\"10\" "
           "height=\"10\"/></svg>stolen by the host</li><li><svg class=\"swatch\" viewBox=\"0 0 "
           "10 10\" aria-hidden=\"true\"><line class=\"clock\" x1=\"0\" y1=\"5\" x2=\"10\" "
           "y2=\"5\"/></svg>clock (of the usual one)</li></ul>";
}

std::string outlierTable(const RunExplanation& explanation) {
    if (explanation.Outliers.empty()) {
        return "<p>No pass was far slower than the others of its kind.</p>";
    }
    std::string rows;
    for (const OutlierPass& outlier : explanation.Outliers) {
        std::string causes;
        for (const SlowCause cause : outlier.Causes) {
            causes += (causes.empty() ? "" : ", ") + SlowCauseText(cause);
        }
        const double excess = outlier.Seconds / outlier.BaselineSeconds - 1.0;
        rows += HtmlTable::Row(
            std::to_string(outlier.Pass),
            HtmlTable::Cell(outlier.Pass <= static_cast<int>(PassCounts::kCompressions)
                                ? "compression"
                                : "decompression",
                            "text") +
                HtmlTable::Cell(FixedText(outlier.Seconds * 1000.0, 1)) +
                HtmlTable::Cell(FixedText(outlier.BaselineSeconds * 1000.0, 1)) +
                HtmlTable::Cell("+" + percent(excess)) +
                HtmlTable::Cell(HtmlEscaped(causes), "text"),
            "outlier");
    }
    return HtmlTable::Start("Outlier passes (ms)",
                            {"pass", "kind", "time", "median of its kind", "slower", "causes"},
                            "outliers") +
           "<tbody>" + rows + "</tbody>" + HtmlTable::kEnd;
}

std::string shareCell(const std::optional<double>& share) {
    return HtmlTable::Cell(share ? percent(*share) : "not known");
}

std::string sharesTable(const RunExplanation& explanation) {
    const RunShares& shares = explanation.Shares;
    return HtmlTable::Start("Share of the run's pass time", {"lost to", "share"}) + "<tbody>" +
           HtmlTable::Row("waiting for a processor", shareCell(shares.Waiting)) +
           HtmlTable::Row("stolen by the host", shareCell(shares.Stolen)) +
           HtmlTable::Row("a clock below the usual one", shareCell(shares.BelowClock)) +
           HtmlTable::Row("outlier passes",
                          HtmlTable::Cell(std::to_string(explanation.Outliers.size()))) +
           "</tbody>" + HtmlTable::kEnd;
}

std::string lossText(const RunShares& shares) {
    const std::string biggest = BiggestShareText(shares);
    return biggest.empty()
               ? "<p>No cause took more than " + percent(kNamedShare) + " of the run's time.</p>"
               : "<p class=\"note\">The run " + HtmlEscaped(biggest) + ".</p>";
}

} // namespace

std::string PassesMetFigure(const RunRecord& run) {
    if (run.Readings.empty()) {
        return {};
    }
    const RunExplanation explanation = ExplainRun(run);
    return lossText(explanation.Shares) + "<div class=\"pair\"><figure>" + legend() + chart(run) +
           "<figcaption>Each pass's time lost waiting for a processor (other programs on its "
           "CPU) and stolen by a virtual machine's host, and the clock it ran at. An outlier "
           "pass is one far slower than the median of its kind in this run.</figcaption></figure>" +
           sharesTable(explanation) + "</div>" + outlierTable(explanation);
}
