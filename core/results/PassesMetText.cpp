#include "results/PassesMetText.h"

#include "results/PassCauses.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string percent(const std::optional<double>& share) {
    if (!share) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * *share);
    return text;
}

// The first few outliers, so that a disturbed run keeps to a few lines; the
// JSON keeps them all.
std::string outliersText(const std::vector<OutlierPass>& outliers) {
    constexpr std::size_t kShown = 3;
    if (outliers.empty()) {
        return "none";
    }
    std::string text;
    for (std::size_t i = 0; i < std::min(outliers.size(), kShown); ++i) {
        text += (text.empty() ? "" : "; ") + OutlierText(outliers[i]);
    }
    if (outliers.size() > kShown) {
        text += "; and " + std::to_string(outliers.size() - kShown) + " more";
    }
    return text;
}

std::string clockSource(const PassReadingSources& sources) {
    std::string text = sources.Clock == "counters"  ? "the thread's cycle counter"
                       : sources.Clock == "cpufreq" ? "cpufreq's current frequency"
                                                    : "not known";
    if (!sources.CountersUnavailable.empty()) {
        text += " (no cycle counters: " + sources.CountersUnavailable + ")";
    }
    return text;
}

} // namespace

std::string PassesMetText(const std::vector<RunRecord>& runs) {
    std::string table;
    std::string named;
    const PassReadingSources* sources = nullptr;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].Readings.empty()) {
            continue;
        }
        sources = &runs[i].ReadingSources;
        const RunExplanation explanation = ExplainRun(runs[i]);
        char line[96];
        std::snprintf(line, sizeof line, "%3zu  %7s  %7s  %11s  ", i + 1,
                      percent(explanation.Shares.Waiting).c_str(),
                      percent(explanation.Shares.Stolen).c_str(),
                      percent(explanation.Shares.BelowClock).c_str());
        table += line + outliersText(explanation.Outliers) + "\n";
        if (const std::string biggest = BiggestShareText(explanation.Shares); !biggest.empty()) {
            named += "Run " + std::to_string(i + 1) + " " + biggest + ".\n";
        }
    }
    if (sources == nullptr) {
        return {};
    }
    return "What the passes met (share of each run's pass time):\n"
           "run   waited   stolen  below clock  outlier passes\n" +
           table + named + "Clock of a pass: " + clockSource(*sources) + "\n";
}
