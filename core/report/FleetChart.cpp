#include "report/FleetChart.h"

#include "report/HtmlText.h"
#include "report/MachineLabels.h"
#include "report/SvgChart.h"

#include <algorithm>

namespace {

// Height of a machine's row: its label above its bar.
constexpr double kRow = 52;

} // namespace

std::string FleetChart(const std::vector<FleetMachine>& fleet) {
    std::size_t ranked = 0;
    double slowest = 0.0;
    for (const FleetMachine& machine : fleet) {
        if (machine.Rank > 0) {
            ++ranked;
            slowest = std::max(slowest, machine.TimeSumma.Max);
        }
    }
    if (ranked == 0) {
        return {};
    }
    SvgChart svg("fleet-chart", "Median Time Summa of every ranked machine",
                 "One bar per machine, " + std::to_string(ranked) +
                     " in all, fastest first; its length is the median Time Summa of the "
                     "machine's runs of one copy in seconds, shorter is faster, and the line "
                     "over its end spans the fastest to the slowest of them.",
                 600, 16 + kRow * static_cast<double>(ranked) + 64, {16, 110, 16, 64});
    const AxisScale scale = NiceScale(0.0, slowest, 6);
    svg.BottomAxis(scale, "Median Time Summa (s)");
    for (const FleetMachine& machine : fleet) {
        if (machine.Rank == 0) {
            continue;
        }
        const double top = svg.PlotTop() + kRow * static_cast<double>(machine.Rank - 1);
        const std::string name = MachineLabel(machine.Machine);
        const std::string processor = ProcessorLabel(machine.Machine);
        svg.BarLabel(svg.PlotLeft(), top + 20,
                     std::to_string(machine.Rank) + ". " + name + " · " + processor, "",
                     "bar-label");
        const double end = svg.X(scale, machine.TimeSumma.Median);
        svg.Rect(svg.PlotLeft(), top + 27, end - svg.PlotLeft(), 20, "machine",
                 name + ": median Time Summa " + FixedText(machine.TimeSumma.Median, 4) +
                     " s over " + std::to_string(machine.Runs) + " runs, " +
                     FixedText(machine.TimeSumma.Min, 4) + "–" +
                     FixedText(machine.TimeSumma.Max, 4) + " s");
        svg.Line(svg.X(scale, machine.TimeSumma.Min), top + 37, svg.X(scale, machine.TimeSumma.Max),
                 top + 37, "range");
        svg.Text(svg.X(scale, machine.TimeSumma.Max) + 6, top + 44,
                 FixedText(machine.TimeSumma.Median, 4) + " s", "value");
    }
    return svg.Svg();
}
