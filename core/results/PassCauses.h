#pragma once

#include "run/RunRecord.h"

#include <optional>
#include <string>
#include <vector>

// Why passes of a run were slow, from what each pass met. The passes of one
// run are alike, so they are their own baseline: compressions and
// decompressions each against the median of their kind.
enum class SlowCause { Waited, Stolen, Throttled, LowClock, Moved, PageFaults, NoneSeen };

// The words that texts use, and the JSON's key.
std::string SlowCauseText(SlowCause cause);
std::string SlowCauseKey(SlowCause cause);

// A pass is an outlier when its modified z-score (Iglewicz and Hoaglin:
// 0.6745 times its distance above the median over the median absolute
// deviation) is above this, and it took at least kOutlierExcess longer than
// the median, which keeps timer jitter of very steady runs out.
inline constexpr double kOutlierZ = 3.5;
inline constexpr double kOutlierExcess = 0.01;
// A run names its biggest cause when it took more than this share of the
// run's time.
inline constexpr double kNamedShare = 0.03;

struct OutlierPass {
    // 1 to 101, as the time list counts.
    int Pass = 0;
    double Seconds = 0.0;
    // The median of its kind in this run.
    double BaselineSeconds = 0.0;
    double ModifiedZ = 0.0;
    // The causes its readings show, the strongest first; NoneSeen alone
    // when they show none.
    std::vector<SlowCause> Causes;
};

// What share of a run's pass time (a fraction) its passes spent waiting for
// a processor, stolen by the host, and lost to a clock below the usual one;
// empty where the run has no such readings.
struct RunShares {
    std::optional<double> Waiting;
    std::optional<double> Stolen;
    std::optional<double> BelowClock;
    // The biggest of them when it is above kNamedShare.
    std::optional<SlowCause> Biggest;
};

struct RunExplanation {
    std::vector<OutlierPass> Outliers;
    RunShares Shares;
};

// Nothing for a run without readings, or whose readings and pass times
// differ in number.
RunExplanation ExplainRun(const RunRecord& run);

// The clock a run's passes are measured against: the processors' highest
// where cpufreq tells it, else the clock most passes reached (the 90th
// percentile); nothing when no pass has a clock.
std::optional<double> UsualClockMHz(const RunRecord& run);

// "waited for the processor (other programs) for 41.2 % of its time", or
// empty when no cause is named.
std::string BiggestShareText(const RunShares& shares);
// "pass 37 (+18 %): moved to another CPU, page faults"
std::string OutlierText(const OutlierPass& outlier);
