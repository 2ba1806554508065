#include "results/PassCauses.h"

#include "run/PassCounts.h"
#include "run/Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// A clock this far below the baseline counts as low.
constexpr double kLowClock = 0.95;
// A reading explains a pass when it accounts for this share of its excess.
constexpr double kExplains = 0.25;

using Field = std::function<std::optional<double>(const PassReading&)>;

std::vector<double> known(const std::vector<PassReading>& readings, std::size_t begin,
                          std::size_t end, const Field& field) {
    std::vector<double> values;
    for (std::size_t i = begin; i < end; ++i) {
        if (const std::optional<double> value = field(readings[i])) {
            values.push_back(*value);
        }
    }
    return values;
}

std::optional<double> waitOf(const PassReading& r) {
    return r.WaitSeconds;
}
std::optional<double> stolenOf(const PassReading& r) {
    return r.StolenSeconds;
}
std::optional<double> clockOf(const PassReading& r) {
    return r.ClockMHz;
}
std::optional<double> minorOf(const PassReading& r) {
    return r.MinorFaults ? std::optional<double>(static_cast<double>(*r.MinorFaults))
                         : std::nullopt;
}

// Modified z-scores of values above their median; the mean absolute
// deviation stands in when more than half the values are equal.
std::vector<double> modifiedZ(const std::vector<double>& values, double median) {
    std::vector<double> deviations;
    for (const double value : values) {
        deviations.push_back(std::fabs(value - median));
    }
    const double mad = Statistics::Median(deviations);
    const double meanAd = Statistics::Mean(deviations);
    std::vector<double> scores;
    for (const double value : values) {
        if (mad > 0.0) {
            scores.push_back(0.6745 * (value - median) / mad);
        } else if (meanAd > 0.0) {
            scores.push_back((value - median) / (1.253314 * meanAd));
        } else {
            scores.push_back(0.0);
        }
    }
    return scores;
}

std::vector<SlowCause> causesOf(const PassReading& r, double excess,
                                const std::vector<PassReading>& kind) {
    std::vector<SlowCause> causes;
    const auto above = [&](const std::optional<double>& value, const Field& field) {
        return value && *value - Statistics::Median(known(kind, 0, kind.size(), field)) >=
                            kExplains * excess;
    };
    if (above(r.WaitSeconds, waitOf)) {
        causes.push_back(SlowCause::Waited);
    }
    if (above(r.StolenSeconds, stolenOf)) {
        causes.push_back(SlowCause::Stolen);
    }
    if (r.ThrottleEvents && *r.ThrottleEvents > 0) {
        causes.push_back(SlowCause::Throttled);
    }
    if (r.ClockMHz &&
        *r.ClockMHz < kLowClock * Statistics::Median(known(kind, 0, kind.size(), clockOf))) {
        causes.push_back(SlowCause::LowClock);
    }
    if (r.CpuAtStart >= 0 && r.CpuAtEnd >= 0 && r.CpuAtStart != r.CpuAtEnd) {
        causes.push_back(SlowCause::Moved);
    }
    const double minorBaseline = Statistics::Median(known(kind, 0, kind.size(), minorOf));
    if ((r.MajorFaults && *r.MajorFaults > 0) ||
        (r.MinorFaults && static_cast<double>(*r.MinorFaults) > 2.0 * minorBaseline + 64.0)) {
        causes.push_back(SlowCause::PageFaults);
    }
    if (causes.empty()) {
        causes.push_back(SlowCause::NoneSeen);
    }
    return causes;
}

void findOutliers(const RunRecord& run, std::size_t begin, std::size_t end,
                  std::vector<OutlierPass>& outliers) {
    if (end <= begin + 2) {
        return;
    }
    const std::vector<double> times(run.PassTimes.begin() + static_cast<std::ptrdiff_t>(begin),
                                    run.PassTimes.begin() + static_cast<std::ptrdiff_t>(end));
    const std::vector<PassReading> kind(run.Readings.begin() + static_cast<std::ptrdiff_t>(begin),
                                        run.Readings.begin() + static_cast<std::ptrdiff_t>(end));
    const double median = Statistics::Median(times);
    const std::vector<double> scores = modifiedZ(times, median);
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double excess = times[i] - median;
        if (scores[i] > kOutlierZ && excess >= kOutlierExcess * median) {
            outliers.push_back({static_cast<int>(begin + i + 1), times[i], median, scores[i],
                                causesOf(kind[i], excess, kind)});
        }
    }
}

std::optional<double> shareOf(const RunRecord& run, const Field& field, double total) {
    const std::vector<double> values = known(run.Readings, 0, run.Readings.size(), field);
    if (values.empty() || total <= 0.0) {
        return std::nullopt;
    }
    double sum = 0.0;
    for (const double value : values) {
        sum += value;
    }
    return std::min(1.0, sum / total);
}

// The time lost to passes whose clock was well below the usual one.
std::optional<double> belowClockShare(const RunRecord& run, double total) {
    const std::optional<double> usualClock = UsualClockMHz(run);
    if (!usualClock || total <= 0.0) {
        return std::nullopt;
    }
    const double usual = *usualClock;
    double lost = 0.0;
    for (std::size_t i = 0; i < run.Readings.size(); ++i) {
        const std::optional<double> clock = run.Readings[i].ClockMHz;
        if (clock && *clock < kLowClock * usual) {
            lost += run.PassTimes[i] * (1.0 - *clock / usual);
        }
    }
    return lost / total;
}

} // namespace

std::optional<double> UsualClockMHz(const RunRecord& run) {
    std::vector<double> clocks = known(run.Readings, 0, run.Readings.size(), clockOf);
    if (clocks.empty()) {
        return std::nullopt;
    }
    if (run.ReadingSources.MaxClockMHz && *run.ReadingSources.MaxClockMHz > 0.0) {
        return run.ReadingSources.MaxClockMHz;
    }
    std::sort(clocks.begin(), clocks.end());
    return clocks[clocks.size() * 9 / 10];
}

std::string SlowCauseText(SlowCause cause) {
    switch (cause) {
    case SlowCause::Waited:
        return "waited for the processor (other programs)";
    case SlowCause::Stolen:
        return "time stolen by the host";
    case SlowCause::Throttled:
        return "throttled";
    case SlowCause::LowClock:
        return "clock below the run's median";
    case SlowCause::Moved:
        return "moved to another CPU";
    case SlowCause::PageFaults:
        return "page faults";
    case SlowCause::NoneSeen:
        break;
    }
    return "no cause seen";
}

std::string SlowCauseKey(SlowCause cause) {
    switch (cause) {
    case SlowCause::Waited:
        return "waited";
    case SlowCause::Stolen:
        return "stolen";
    case SlowCause::Throttled:
        return "throttled";
    case SlowCause::LowClock:
        return "low_clock";
    case SlowCause::Moved:
        return "moved";
    case SlowCause::PageFaults:
        return "page_faults";
    case SlowCause::NoneSeen:
        break;
    }
    return "none";
}

RunExplanation ExplainRun(const RunRecord& run) {
    RunExplanation explanation;
    const std::size_t count = std::min(run.PassTimes.size(), run.Readings.size());
    if (count == 0 || run.Readings.size() != run.PassTimes.size()) {
        return explanation;
    }
    const std::size_t compressions = std::min(count, PassCounts::kCompressions);
    findOutliers(run, 0, compressions, explanation.Outliers);
    findOutliers(run, compressions, count, explanation.Outliers);

    double total = 0.0;
    for (const double seconds : run.PassTimes) {
        total += seconds;
    }
    RunShares& shares = explanation.Shares;
    shares.Waiting = shareOf(run, waitOf, total);
    shares.Stolen = shareOf(run, stolenOf, total);
    shares.BelowClock = belowClockShare(run, total);
    double biggest = kNamedShare;
    const std::pair<const std::optional<double>&, SlowCause> candidates[] = {
        {shares.Waiting, SlowCause::Waited},
        {shares.Stolen, SlowCause::Stolen},
        {shares.BelowClock, SlowCause::LowClock}};
    for (const auto& [share, cause] : candidates) {
        if (share && *share > biggest) {
            biggest = *share;
            shares.Biggest = cause;
        }
    }
    return explanation;
}

std::string BiggestShareText(const RunShares& shares) {
    if (!shares.Biggest) {
        return {};
    }
    char text[160];
    switch (*shares.Biggest) {
    case SlowCause::Stolen:
        std::snprintf(text, sizeof text, "lost %.1f %% of its time to the host (stolen)",
                      100.0 * shares.Stolen.value_or(0.0));
        break;
    case SlowCause::LowClock:
        std::snprintf(text, sizeof text, "lost %.1f %% of its time to a clock below the usual one",
                      100.0 * shares.BelowClock.value_or(0.0));
        break;
    default:
        std::snprintf(text, sizeof text,
                      "waited for the processor (other programs) for %.1f %% of its time",
                      100.0 * shares.Waiting.value_or(0.0));
        break;
    }
    return text;
}

std::string OutlierText(const OutlierPass& outlier) {
    char head[64];
    std::snprintf(head, sizeof head, "pass %d (+%.0f %%): ", outlier.Pass,
                  100.0 * (outlier.Seconds / outlier.BaselineSeconds - 1.0));
    std::string text = head;
    for (std::size_t i = 0; i < outlier.Causes.size(); ++i) {
        text += (i == 0 ? "" : ", ") + SlowCauseText(outlier.Causes[i]);
    }
    return text;
}
