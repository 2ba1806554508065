#include "report/ScoresFigure.h"

#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/SvgChart.h"
#include "report/TimeScale.h"
#include "run/Statistics.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::int64_t kHalfDay = 12 * 3600;

// The x of each run: at the time it began, or evenly in order when a time
// cannot be read; with the labels of the bottom axis.
struct Placement {
    std::vector<double> X;
    std::vector<std::pair<double, std::string>> Labels;
    std::string Title;
};

Placement place(const std::vector<HistoryRun>& runs, const SvgChart& svg) {
    Placement placement;
    std::vector<std::int64_t> times;
    for (const HistoryRun& run : runs) {
        if (const std::optional<std::int64_t> seconds = UtcSeconds(run.StartedAt)) {
            times.push_back(*seconds);
        }
    }
    if (times.empty() || times.size() != runs.size()) {
        const double slot =
            svg.PlotWidth() / static_cast<double>(std::max<std::size_t>(runs.size(), 1));
        // A label on every run up to eight of them, then on every few.
        const std::size_t every = (runs.size() + 7) / 8;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            placement.X.push_back(svg.PlotLeft() + (static_cast<double>(i) + 0.5) * slot);
            if (i % every == 0) {
                placement.Labels.emplace_back(placement.X.back(), std::to_string(i + 1));
            }
        }
        placement.Title = "run, oldest first";
        return placement;
    }
    const auto [first, last] = std::minmax_element(times.begin(), times.end());
    const std::int64_t pad = std::max((*last - *first) / 25, kHalfDay);
    const std::int64_t from = *first - pad;
    const std::int64_t to = *last + pad;
    const auto x = [&](std::int64_t t) {
        return svg.PlotLeft() +
               static_cast<double>(t - from) / static_cast<double>(to - from) * svg.PlotWidth();
    };
    for (const std::int64_t t : times) {
        placement.X.push_back(x(t));
    }
    for (const TimeTick& tick : TimeTicks(from, to, 5)) {
        placement.Labels.emplace_back(x(tick.Seconds), tick.Label);
    }
    placement.Title = "date the run began (UTC)";
    return placement;
}

std::string chart(const std::vector<HistoryRun>& runs, const std::string& thisRunId) {
    SvgChart svg("scores-over-time", "This machine's scores over time",
                 "One point per run of one copy on this machine, " + std::to_string(runs.size()) +
                     " in all, at the time it began and at its score in frames; lower is faster.",
                 720, 320, {60, 24, 44, 64});
    std::vector<double> scores;
    for (const HistoryRun& run : runs) {
        scores.push_back(run.Score);
    }
    const auto [lowest, highest] = std::minmax_element(scores.begin(), scores.end());
    // A tenth of the range more at either end keeps the points off the edges.
    const double margin = scores.empty() ? 0.0 : (*highest - *lowest) / 10.0;
    const AxisScale scale =
        scores.empty() ? NiceScale(0.0, 1.0, 5) : NiceScale(*lowest - margin, *highest + margin, 5);
    svg.LeftAxis(scale, "score (frames)");
    const Placement placement = place(runs, svg);
    svg.BottomLabels(placement.Labels, placement.Title);
    if (runs.empty()) {
        svg.Text((svg.PlotLeft() + svg.PlotRight()) / 2, (svg.PlotTop() + svg.PlotBottom()) / 2,
                 "no runs of one copy with the program's test input", "note", "middle");
        return svg.Svg();
    }
    const double median = Statistics::Median(scores);
    svg.Line(svg.PlotLeft(), svg.Y(scale, median), svg.PlotRight(), svg.Y(scale, median), "median");
    // At the left, where the newest run and its label are not.
    svg.Text(svg.PlotLeft() + 6, svg.Y(scale, median) - 6, "median " + ScoreValueText(median),
             "median-label");
    std::vector<std::pair<double, double>> line;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        line.emplace_back(placement.X[i], svg.Y(scale, runs[i].Score));
    }
    svg.Polyline(line, "trend");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const bool current = runs[i].Id == thisRunId;
        const auto [x, y] = line[i];
        svg.Circle(x, y, current ? 7 : 5, current ? "point this" : "point",
                   MinuteText(runs[i].StartedAt) + " UTC: score " + FixedText(runs[i].Score, 0) +
                       ", Time Summa " + FixedText(runs[i].TimeSumma, 4) + " s" +
                       (current ? " (this run)" : ""));
        if (current) {
            // Near the right edge, the label ends at the point instead.
            const bool nearEdge = x > svg.PlotRight() - 60;
            svg.Text(nearEdge ? x + 8 : x, y - 14, "this run", "point-label",
                     nearEdge ? "end" : "middle");
        }
    }
    return svg.Svg();
}

std::string table(const std::vector<HistoryRun>& runs, const std::string& thisRunId) {
    std::string html =
        HtmlTable::Start("This machine's runs of one copy",
                         {"run", "began (UTC)", "score", "Time Summa (s)", "version"}) +
        "<tbody>";
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const HistoryRun& run = runs[i];
        const bool current = run.Id == thisRunId;
        html += HtmlTable::Row(std::to_string(i + 1),
                               HtmlTable::Cell(TimeElement(run.StartedAt) +
                                                   (current ? " <strong>this run</strong>" : ""),
                                               "date") +
                                   HtmlTable::Cell(FixedText(run.Score, 0)) +
                                   HtmlTable::Cell(FixedText(run.TimeSumma, 4)) +
                                   HtmlTable::Cell(HtmlEscaped(run.ProgramVersion), "text"),
                               current ? "this" : "");
    }
    return html + "</tbody>" + HtmlTable::kEnd;
}

} // namespace

std::string ScoresFigure(const std::vector<HistoryRun>& runs, const std::string& thisRunId) {
    const bool withThisRun = std::any_of(
        runs.begin(), runs.end(), [&](const HistoryRun& run) { return run.Id == thisRunId; });
    return "<div class=\"pair\"><figure>" + chart(runs, thisRunId) +
           "<figcaption>The score of each run of one copy on this machine, in the order they "
           "ran; lower is faster. The dashed line is the median" +
           (withThisRun ? "; the larger point, labelled, is this run." : ".") +
           "</figcaption></figure>" + table(runs, thisRunId) + "</div>";
}
