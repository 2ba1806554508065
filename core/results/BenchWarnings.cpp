#include "results/BenchWarnings.h"

#include "results/PassCauses.h"

#include <cstdio>

namespace {

// A line for every run that lost more than a few percent of its time to one
// cause, whether or not the runs spread: a disturbance that slows every run
// alike spreads nothing.
bool nameCauses(const std::vector<RunRecord>& runs, std::vector<std::string>& warnings) {
    bool named = false;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (const std::string text = BiggestShareText(ExplainRun(runs[i]).Shares); !text.empty()) {
            warnings.push_back("run " + std::to_string(i + 1) + " " + text + ".");
            named = true;
        }
    }
    return named;
}

// The outlier passes of the slowest run and their causes.
bool nameSlowestOutliers(const std::vector<RunRecord>& runs, std::vector<std::string>& warnings) {
    std::size_t slowest = 0;
    for (std::size_t i = 1; i < runs.size(); ++i) {
        if (runs[i].TimeSumma > runs[slowest].TimeSumma) {
            slowest = i;
        }
    }
    const RunExplanation explanation = ExplainRun(runs[slowest]);
    if (explanation.Outliers.empty()) {
        return false;
    }
    std::string text = "the slowest run, " + std::to_string(slowest + 1) + ", had " +
                       std::to_string(explanation.Outliers.size()) + " outlier passes: ";
    for (std::size_t i = 0; i < explanation.Outliers.size() && i < 3; ++i) {
        text += (i == 0 ? "" : "; ") + OutlierText(explanation.Outliers[i]);
    }
    warnings.push_back(text + (explanation.Outliers.size() > 3 ? "; ..." : "."));
    return true;
}

} // namespace

std::vector<std::string> BenchWarnings(const BenchReport& report) {
    std::vector<std::string> warnings;
    const bool unstable = report.Runs.size() >= 2 && report.Summary.TimeSummaCv > kUnstableCv;
    char text[160];
    if (unstable) {
        std::snprintf(text, sizeof text,
                      "the runs spread by %.1f %% (CV), more than %.0f %%: the result is unstable.",
                      100.0 * report.Summary.TimeSummaCv, 100.0 * kUnstableCv);
        warnings.emplace_back(text);
    }
    bool explained = nameCauses(report.Runs, warnings);
    if (!unstable) {
        return warnings;
    }
    if (report.Seen.OtherLoadPercent >= 5.0) {
        std::snprintf(text, sizeof text,
                      "other programs used %.0f %% of a processor while the runs were timed.",
                      report.Seen.OtherLoadPercent);
        warnings.emplace_back(text);
        explained = true;
    }
    if (report.Seen.Governor && *report.Seen.Governor != "performance") {
        warnings.push_back("the processors' frequency governor is '" + *report.Seen.Governor +
                           "', not 'performance'.");
        explained = true;
    }
    if (report.Seen.ThrottleEvents && *report.Seen.ThrottleEvents > 0) {
        warnings.push_back("the processors were throttled for heat " +
                           std::to_string(*report.Seen.ThrottleEvents) + " times.");
        explained = true;
    }
    explained = nameSlowestOutliers(report.Runs, warnings) || explained;
    if (!explained) {
        warnings.emplace_back("nothing else was seen on the machine; more runs (--runs) may "
                              "settle it.");
    }
    return warnings;
}
