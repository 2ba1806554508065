#include "report/MachinesFigure.h"

#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/MachineLabels.h"
#include "report/SvgChart.h"

#include <algorithm>

namespace {

using Entry = std::pair<HistoryMachine, HistoryRun>;

// Height of a machine's row in the chart: its label above its bar.
constexpr double kRow = 52;

std::string chart(const std::vector<Entry>& machines, const std::string& thisMachineId) {
    const double height = 16 + kRow * static_cast<double>(machines.size()) + 64;
    SvgChart svg("machines", "Every machine's best run",
                 "One bar per machine, " + std::to_string(machines.size()) +
                     " in all, fastest first; its length is the Time Summa of the machine's "
                     "best run in seconds, shorter is faster.",
                 600, height, {16, 110, 16, 64});
    double slowest = 0.0;
    for (const Entry& entry : machines) {
        slowest = std::max(slowest, entry.second.TimeSumma);
    }
    const AxisScale scale = NiceScale(0.0, slowest, 6);
    svg.BottomAxis(scale, "Time Summa of the best run (s)");
    for (std::size_t i = 0; i < machines.size(); ++i) {
        const auto& [machine, run] = machines[i];
        const bool current = machine.Id == thisMachineId;
        const double top = svg.PlotTop() + kRow * static_cast<double>(i);
        const std::string marks = std::string(current ? " (this machine)" : "") +
                                  (run.Comparable ? "" : " (other input)");
        const std::string label =
            std::to_string(i + 1) + ". " + MachineLabel(machine) + " · " + ProcessorLabel(machine);
        const std::string cls = current ? "bar-label this" : "bar-label";
        svg.BarLabel(svg.PlotLeft(), top + 20, label, marks, cls);
        const double end = svg.X(scale, run.TimeSumma);
        svg.Rect(svg.PlotLeft(), top + 27, end - svg.PlotLeft(), 20,
                 current ? "machine this" : "machine",
                 MachineLabel(machine) + ": Time Summa " + FixedText(run.TimeSumma, 4) +
                     " s, score " + FixedText(run.Score, 0));
        svg.Text(end + 6, top + 44, FixedText(run.TimeSumma, 4) + " s", "value");
    }
    return svg.Svg();
}

std::string table(const std::vector<Entry>& machines, const std::string& thisMachineId) {
    std::string html =
        HtmlTable::Start("Best run of every machine",
                         {"#", "machine", "processor", "Time Summa (s)", "score", "began (UTC)"}) +
        "<tbody>";
    for (std::size_t i = 0; i < machines.size(); ++i) {
        const auto& [machine, run] = machines[i];
        const bool current = machine.Id == thisMachineId;
        const std::string nameCell = HtmlEscaped(MachineLabel(machine)) +
                                     (current ? " <strong>this machine</strong>" : "") +
                                     (run.Comparable ? "" : " (other input: does not compare)");
        html += HtmlTable::Row(std::to_string(i + 1),
                               HtmlTable::Cell(nameCell, "text") +
                                   HtmlTable::Cell(HtmlEscaped(ProcessorLabel(machine)), "text") +
                                   HtmlTable::Cell(FixedText(run.TimeSumma, 4)) +
                                   HtmlTable::Cell(FixedText(run.Score, 0)) +
                                   HtmlTable::Cell(TimeElement(run.StartedAt), "date"),
                               current ? "this" : "");
    }
    return html + "</tbody>" + HtmlTable::kEnd;
}

} // namespace

std::string MachinesFigure(std::vector<Entry> machines, const std::string& thisMachineId) {
    std::stable_sort(machines.begin(), machines.end(), [](const Entry& a, const Entry& b) {
        return a.second.TimeSumma < b.second.TimeSumma;
    });
    return "<div class=\"pair even\"><figure>" + chart(machines, thisMachineId) +
           "<figcaption>Each machine in the history with its fastest run, fastest first; a "
           "shorter bar is faster. This machine's bar is the orange one, labelled \"this "
           "machine\".</figcaption></figure>" +
           table(machines, thisMachineId) + "</div>";
}
