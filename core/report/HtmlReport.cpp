#include "report/HtmlReport.h"

#include "facts/ReportFacts.h"
#include "report/HtmlPage.h"
#include "report/HtmlTable.h"
#include "report/HtmlText.h"
#include "report/MachineLabels.h"
#include "report/MachinesFigure.h"
#include "report/PassTimesFigure.h"
#include "report/PassesMetFigure.h"
#include "report/ScoresFigure.h"
#include "report/TimeScale.h"
#include "results/PassCauses.h"
#include "run/Statistics.h"

#include <algorithm>

namespace {

const char* const kTitle = "Quelcraft Quelvorant — results report";

std::string plural(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string header(const ReportData& data) {
    const std::string host = MachineLabel(data.Machine);
    const std::string brand = ProcessorLabel(data.Machine);
    return std::string("<header><h1>") + kTitle + "</h1><p class=\"lead\">Run " +
           HtmlEscaped(data.Run.Id) + " on <strong>" + HtmlEscaped(host) + "</strong> (" +
           HtmlEscaped(brand) + "), began " + HtmlEscaped(MinuteText(data.Run.StartedAt)) +
           " UTC with Quelvorant " + HtmlEscaped(data.Run.ProgramVersion) + " (" +
           HtmlEscaped(data.Run.Source) + ").</p></header>";
}

// What the reader must know before trusting the figures.
std::string notes(const ReportData& data) {
    const HistoryRun& run = data.Run;
    std::string html;
    const auto note = [&](const std::string& text) {
        html += "<p class=\"note\">" + text + "</p>";
    };
    if (!run.CheckPassed) {
        note("The check of this run's decompressed output failed: its times cannot be trusted.");
    }
    if (!run.Comparable) {
        note("This run's test input was not the program's own (SHA-256 " +
             HtmlEscaped(run.InputSha256) +
             "), so its figures do not compare with other machines' or with runs on the "
             "program's input.");
    }
    if (run.Copies != 1) {
        note("This run ran " + std::to_string(run.Copies) +
             " copies of the workload at once; the spread and the scores over time are of runs "
             "of one copy.");
    }
    const bool listed = std::any_of(data.MachineRuns.begin(), data.MachineRuns.end(),
                                    [&](const HistoryRun& other) { return other.Id == run.Id; });
    if (!listed && run.Comparable && run.Copies == 1) {
        note("This run is not among this machine's runs below.");
    }
    return html;
}

std::string summaText(double summa) {
    return FixedText(summa, 4);
}

std::string spreadRow(const char* what, const std::vector<double>& values,
                      std::string (*text)(double)) {
    const Statistics::Spread spread = Statistics::SpreadOf(values);
    return HtmlTable::Row(
        what,
        HtmlTable::Cell(text(spread.Median)) +
            HtmlTable::Cell(text(spread.Min) + "–" + text(spread.Max)) +
            HtmlTable::Cell(values.size() > 1 ? FixedText(100.0 * spread.Cv, 2) + " %" : "—"));
}

// The spread of this machine's runs as a table, or why there is none.
std::string spread(const std::vector<HistoryRun>& runs) {
    if (runs.empty()) {
        return "<p>This machine has no comparable runs of one copy yet, so there is no spread to "
               "show.</p>";
    }
    std::vector<double> summas;
    std::vector<double> scores;
    for (const HistoryRun& run : runs) {
        summas.push_back(run.TimeSumma);
        scores.push_back(run.Score);
    }
    return HtmlTable::Start("Spread over this machine's " + plural(runs.size(), "run") +
                                " of one copy with the program's test input",
                            {"", "median", "min–max", "CV"}) +
           "<tbody>" + spreadRow("Time Summa (s)", summas, summaText) +
           spreadRow("Score (frames)", scores, ScoreValueText) + "</tbody>" + HtmlTable::kEnd +
           (runs.size() == 1 ? "<p>One run so far: no spread yet.</p>" : "");
}

std::string result(const ReportData& data) {
    const HistoryRun& run = data.Run;
    return "<section id=\"result\"><h2>Result</h2>" + notes(data) +
           "<div class=\"figures\"><div class=\"figure-box\"><div class=\"value\">" +
           FixedText(run.Score, 0) +
           " <span class=\"unit\">frames</span></div><p>Score; lower is faster</p></div><div "
           "class=\"figure-box\"><div class=\"value\">" +
           FixedText(run.TimeSumma, 4) +
           " <span class=\"unit\">s</span></div><p>Time Summa, the sum of passes 1 to 100; lower "
           "is faster</p></div><div class=\"figure-box spread\">" +
           spread(data.MachineRuns) + "</div></div></section>";
}

std::string factTable(const FactGroup& group) {
    std::string html = "<section><h3>" + HtmlEscaped(group.Title) + "</h3><table>";
    for (const auto& [label, value] : group.Rows) {
        html += HtmlTable::Row(HtmlEscaped(label), HtmlTable::Cell(HtmlEscaped(value), "text"));
    }
    return html + "</table></section>";
}

std::string facts(const ReportData& data) {
    const HistoryRun& run = data.Run;
    std::string html = "<section id=\"machine\"><h2>This machine and this run</h2><div "
                       "class=\"facts\">";
    const HistoryMachine& machine = data.Machine;
    for (const FactGroup& group : ReportFacts(
             machine.Info, {machine.Id, machine.Name, machine.HostName, machine.Processor})) {
        html += factTable(group);
    }
    const FactGroup runFacts{
        "This run",
        {{"Run identifier", run.Id},
         {"Began (UTC)", MinuteText(run.StartedAt)},
         {"Program version", run.ProgramVersion},
         {"Run from", run.Source == "window" ? "the window"
                      : run.Source == "cli"  ? "the command line"
                                             : run.Source},
         {"Copies at once", std::to_string(run.Copies)},
         {"Output check", run.CheckPassed ? "passed" : "failed"},
         {"Test input", run.Comparable ? "the program's own" : "another file: does not compare"},
         {"Input SHA-256", run.InputSha256.empty() ? "unknown" : run.InputSha256}}};
    return html + factTable(runFacts) + "</div></section>";
}

// The run as the explanation of its passes takes it.
RunRecord recordOf(const HistoryRun& run) {
    RunRecord record;
    record.PassTimes = run.PassTimes;
    record.Readings = run.Readings;
    record.ReadingSources = run.ReadingSources;
    return record;
}

std::vector<int> outlierPasses(const RunRecord& run) {
    std::vector<int> passes;
    for (const OutlierPass& outlier : ExplainRun(run).Outliers) {
        passes.push_back(outlier.Pass);
    }
    return passes;
}

std::string passesMet(const RunRecord& run) {
    const std::string figure = PassesMetFigure(run);
    return figure.empty()
               ? ""
               : "<section id=\"passes-met\"><h2>What the passes met</h2>" + figure + "</section>";
}

} // namespace

std::string HtmlReport(const ReportData& data) {
    const RunRecord run = recordOf(data.Run);
    return HtmlPage(
        kTitle,
        header(data) + "<main>" + result(data) +
            "<section id=\"passes\"><h2>Pass times of this run</h2>" +
            PassTimesFigure(data.Run.PassTimes, outlierPasses(run)) + "</section>" +
            passesMet(run) + "<section id=\"history\"><h2>This machine's scores over time</h2>" +
            ScoresFigure(data.MachineRuns, data.Run.Id) +
            "</section><section id=\"machines-compared\"><h2>Every machine</h2>" +
            MachinesFigure(data.Machines, data.Machine.Id) + "</section>" + facts(data) + "</main>",
        data.GeneratedAt);
}
