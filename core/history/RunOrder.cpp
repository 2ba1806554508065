#include "history/RunOrder.h"

#include "platform/Rfc3339Time.h"

#include <algorithm>
#include <ctime>
#include <tuple>

TimeStanding StandingOf(std::string_view time, std::int64_t now) {
    const std::optional<std::int64_t> seconds = Rfc3339Seconds(time);
    if (!seconds) {
        return TimeStanding::Unreadable;
    }
    return *seconds > now + kClockAheadSeconds ? TimeStanding::Ahead : TimeStanding::Past;
}

std::int64_t ClockSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

void SortNewestFirst(std::vector<HistoryRun>& runs, std::int64_t now) {
    struct Keyed {
        TimeStanding Standing;
        std::int64_t Seconds;
        HistoryRun Run;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(runs.size());
    for (HistoryRun& run : runs) {
        const TimeStanding standing = StandingOf(run.StartedAt, now);
        const std::int64_t seconds = Rfc3339Seconds(run.StartedAt).value_or(0);
        keyed.push_back({standing, seconds, std::move(run)});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.Standing, b.Seconds, a.Run.Id) <
               std::tie(b.Standing, a.Seconds, b.Run.Id);
    });
    runs.clear();
    for (Keyed& entry : keyed) {
        runs.push_back(std::move(entry.Run));
    }
}
