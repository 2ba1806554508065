#include "report/FleetPage.h"

#include "report/FleetChart.h"
#include "report/HtmlPage.h"
#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/MachineLabels.h"

namespace {

const char* const kTitle = "Quelcraft Quelvorant — fleet report";

std::string orUnknown(const std::string& text) {
    return text.empty() ? "unknown" : text;
}

std::string anchor(std::size_t index) {
    return "machine-" + std::to_string(index + 1);
}

std::string percentText(double fraction) {
    return FixedText(100.0 * fraction, 1) + " %";
}

// The names of the checks that warned; what they found is in the machine's
// own section.
std::string warningsCell(const FleetMachine& machine) {
    if (!machine.Warnings) {
        return "not checked";
    }
    if (machine.Warnings->empty()) {
        return "none";
    }
    std::string names;
    for (const PreflightCheck& check : *machine.Warnings) {
        names += (names.empty() ? "" : ", ") + check.Name;
    }
    return HtmlEscaped(names);
}

std::string multiCoreCells(const FleetMachine& machine) {
    if (machine.Copies == 0) {
        return HtmlTable::Cell("—") + HtmlTable::Cell("—") + HtmlTable::Cell("—");
    }
    return HtmlTable::Cell(std::to_string(machine.Copies)) +
           HtmlTable::Cell(machine.PassesPerSecond ? FixedText(*machine.PassesPerSecond, 2)
                                                   : "unknown") +
           HtmlTable::Cell(machine.ScalingEfficiency ? percentText(*machine.ScalingEfficiency)
                                                     : "unknown");
}

std::string summaCells(const FleetMachine& machine) {
    if (machine.Rank == 0) {
        return HtmlTable::Cell("0") +
               HtmlTable::Cell("not ranked: no run of one copy on the "
                               "program's test input",
                               "text") +
               HtmlTable::Cell("") + HtmlTable::Cell("");
    }
    const Statistics::Spread& summa = machine.TimeSumma;
    return HtmlTable::Cell(std::to_string(machine.Runs)) +
           HtmlTable::Cell("<strong>" + FixedText(summa.Median, 4) + "</strong>") +
           HtmlTable::Cell(FixedText(summa.Min, 4) + "–" + FixedText(summa.Max, 4)) +
           HtmlTable::Cell(machine.Runs > 1 ? FixedText(100.0 * summa.Cv, 2) + " %" : "—");
}

std::string fleetTable(const std::vector<FleetMachine>& fleet) {
    std::string html =
        HtmlTable::Start("Every machine, fastest first; Time Summa of its runs of one copy",
                         {"#", "machine", "processor", "archi&shy;tecture", "hyper&shy;visor",
                          "runs", "median (s)", "min–max (s)", "CV", "copies at once",
                          "passes/s together", "scaling effi&shy;ciency", "checks that warned"},
                         "fleet") +
        "<tbody>";
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        const FleetMachine& machine = fleet[i];
        html += HtmlTable::Row(
            machine.Rank > 0 ? std::to_string(machine.Rank) : "—",
            HtmlTable::Cell("<a href=\"#" + anchor(i) + "\">" +
                                HtmlEscaped(MachineLabel(machine.Machine)) + "</a>",
                            "text") +
                HtmlTable::Cell(HtmlEscaped(ProcessorLabel(machine.Machine)), "text") +
                HtmlTable::Cell(HtmlEscaped(orUnknown(machine.Architecture)), "text") +
                HtmlTable::Cell(
                    HtmlEscaped(machine.Hypervisor.empty() ? "none seen" : machine.Hypervisor),
                    "text") +
                summaCells(machine) + multiCoreCells(machine) +
                HtmlTable::Cell(warningsCell(machine), "text"));
    }
    return html + "</tbody>" + HtmlTable::kEnd;
}

// Results on other test inputs: shown, but never set against the ranking.
std::string otherInputs(const std::vector<FleetMachine>& fleet) {
    std::string rows;
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        for (const FleetMachine::OtherInput& input : fleet[i].OtherInputs) {
            rows += HtmlTable::Row(
                "<a href=\"#" + anchor(i) + "\">" + HtmlEscaped(MachineLabel(fleet[i].Machine)) +
                    "</a>",
                HtmlTable::Cell("<code>" + HtmlEscaped(input.Sha256.substr(0, 16)) + "…</code>",
                                "text") +
                    HtmlTable::Cell(std::to_string(input.Runs)) +
                    HtmlTable::Cell(FixedText(input.MedianTimeSumma, 4)));
        }
    }
    if (rows.empty()) {
        return {};
    }
    return "<section id=\"other-inputs\"><h2>Not comparable: runs on other test inputs</h2><p "
           "class=\"note\">These runs used another file than the program's own test input. "
           "Their times compare with no other machine's and are left out of the ranking.</p>" +
           HtmlTable::Start("Runs of one copy on other test inputs",
                            {"machine", "input SHA-256", "runs", "median Time Summa (s)"},
                            "other-inputs") +
           "<tbody>" + rows + "</tbody>" + HtmlTable::kEnd + "</section>";
}

std::string runsTable(const FleetMachine& machine) {
    std::string html =
        HtmlTable::Start("Runs, newest first", {"began (UTC)", "copies", "Time Summa (s)", "score",
                                                "test input", "output check", "run"}) +
        "<tbody>";
    for (const HistoryRun& run : machine.AllRuns) {
        html += HtmlTable::Row(
            TimeElement(run.StartedAt),
            HtmlTable::Cell(std::to_string(run.Copies)) +
                HtmlTable::Cell(FixedText(run.TimeSumma, 4)) +
                HtmlTable::Cell(FixedText(run.Score, 0)) +
                HtmlTable::Cell(run.Comparable ? "the program's own" : "other: does not compare",
                                "text") +
                HtmlTable::Cell(run.CheckPassed ? "passed" : "failed") +
                HtmlTable::Cell("<code>" + HtmlEscaped(run.Id) + "</code>", "text"));
    }
    return html + "</tbody>" + HtmlTable::kEnd;
}

std::string machineSections(const std::vector<FleetMachine>& fleet) {
    std::string html = "<section id=\"machines\"><h2>Each machine's runs</h2>";
    for (std::size_t i = 0; i < fleet.size(); ++i) {
        const FleetMachine& machine = fleet[i];
        html += "<section id=\"" + anchor(i) + "\"><h3>" +
                HtmlEscaped(MachineLabel(machine.Machine)) + " · " +
                HtmlEscaped(ProcessorLabel(machine.Machine)) + "</h3>";
        if (machine.Warnings && !machine.Warnings->empty()) {
            html += "<p class=\"note\">The checks before its newest checked run warned:";
            for (const PreflightCheck& check : *machine.Warnings) {
                html += "<br>" + HtmlEscaped(check.Name + ": " + check.Found) +
                        (check.Fix.empty() ? "" : " (<code>" + HtmlEscaped(check.Fix) + "</code>)");
            }
            html += "</p>";
        }
        html += runsTable(machine) + "</section>";
    }
    return html + "</section>";
}

std::string lead(const std::vector<FleetMachine>& fleet) {
    std::size_t ranked = 0;
    for (const FleetMachine& machine : fleet) {
        ranked += machine.Rank > 0 ? 1 : 0;
    }
    return std::to_string(fleet.size()) + (fleet.size() == 1 ? " machine" : " machines") +
           " in the results history; " + std::to_string(ranked) +
           " ranked by the median Time Summa of their runs of one copy on the program's test "
           "input, fastest first. Lower is faster.";
}

} // namespace

std::string HtmlFleetPage(const std::vector<FleetMachine>& fleet, const std::string& generatedAt) {
    const std::string chart = FleetChart(fleet);
    return HtmlPage(kTitle,
                    std::string("<header><h1>") + kTitle + "</h1><p class=\"lead\">" + lead(fleet) +
                        "</p></header><main><section id=\"fleet\"><h2>Every machine</h2>" +
                        (chart.empty()
                             ? "<p>No machine has a run of one copy on the program's test input "
                               "yet, so none is ranked.</p>"
                             : "<figure>" + chart +
                                   "<figcaption>Each ranked machine's median Time Summa, fastest "
                                   "first; the line spans its fastest to its slowest run. A "
                                   "shorter bar is faster.</figcaption></figure>") +
                        fleetTable(fleet) + "</section>" + otherInputs(fleet) +
                        machineSections(fleet) + "</main>",
                    generatedAt);
}
