#include "results/BenchWarnings.h"

#include <cstdio>

std::vector<std::string> BenchWarnings(const BenchReport& report) {
    std::vector<std::string> warnings;
    if (report.Runs.size() < 2 || report.Summary.TimeSummaCv <= kUnstableCv) {
        return warnings;
    }
    char text[160];
    std::snprintf(text, sizeof text,
                  "the runs spread by %.1f %% (CV), more than %.0f %%: the result is unstable.",
                  100.0 * report.Summary.TimeSummaCv, 100.0 * kUnstableCv);
    warnings.emplace_back(text);
    bool explained = false;
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
    if (!explained) {
        warnings.emplace_back("nothing else was seen on the machine; more runs (--runs) may "
                              "settle it.");
    }
    return warnings;
}
