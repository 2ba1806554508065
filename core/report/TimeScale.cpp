#include "report/TimeScale.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using namespace std::chrono;

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;
// 1970-01-05, the first Monday since 1970-01-01.
constexpr std::int64_t kFirstMonday = 4 * kDay;

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

year_month_day dateOf(std::int64_t seconds) {
    return year_month_day(floor<days>(sys_seconds(std::chrono::seconds(seconds))));
}

std::int64_t secondsOf(const year_month_day& date) {
    return sys_seconds(sys_days(date)).time_since_epoch().count();
}

std::string monthText(const year_month_day& date) {
    return kMonths[static_cast<unsigned>(date.month()) - 1];
}

std::string dayLabel(std::int64_t seconds) {
    const year_month_day date = dateOf(seconds);
    return std::to_string(static_cast<unsigned>(date.day())) + " " + monthText(date);
}

std::string hourLabel(std::int64_t seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:00", static_cast<int>(seconds % kDay / kHour));
    return dayLabel(seconds) + " " + text;
}

// Ticks every step seconds, counted from origin; it stops at limit + 1 ticks,
// which are too many anyway.
std::vector<TimeTick> evenTicks(std::int64_t from, std::int64_t to, int limit, std::int64_t step,
                                std::int64_t origin, std::string (*label)(std::int64_t)) {
    std::vector<TimeTick> ticks;
    std::int64_t first = from - origin;
    first = (first >= 0 ? (first + step - 1) / step : first / step) * step + origin;
    for (std::int64_t t = first; t <= to && static_cast<int>(ticks.size()) <= limit; t += step) {
        ticks.push_back({t, label(t)});
    }
    return ticks;
}

// Ticks on the first day of every months-th month, counted from January;
// it stops at limit + 1 ticks.
std::vector<TimeTick> monthTicks(std::int64_t from, std::int64_t to, int limit, int months) {
    std::vector<TimeTick> ticks;
    const year_month_day start = dateOf(from);
    year_month_day date = start.year() / January / 1;
    while (secondsOf(date) <= to && static_cast<int>(ticks.size()) <= limit) {
        const std::int64_t t = secondsOf(date);
        if (t >= from) {
            const std::string label =
                months % 12 == 0
                    ? std::to_string(static_cast<int>(date.year()))
                    : monthText(date) + " " + std::to_string(static_cast<int>(date.year()));
            ticks.push_back({t, label});
        }
        date = year_month_day(date.year() / date.month() / 1) + std::chrono::months(months);
    }
    return ticks;
}

} // namespace

std::optional<std::int64_t> UtcSeconds(const std::string& text) {
    int y = 0;
    unsigned mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char zone = 0;
    // The fraction of a second, when there is one, lies between the seconds
    // and the Z; %*[.0-9] skips it.
    if (std::sscanf(text.c_str(), "%4d-%2u-%2uT%2u:%2u:%2u%*[.0-9]%c", &y, &mo, &d, &h, &mi, &s,
                    &zone) != 7 &&
        std::sscanf(text.c_str(), "%4d-%2u-%2uT%2u:%2u:%2u%c", &y, &mo, &d, &h, &mi, &s, &zone) !=
            7) {
        return std::nullopt;
    }
    const year_month_day date{year(y), month(mo), day(d)};
    if (zone != 'Z' || !date.ok() || h > 23 || mi > 59 || s > 60) {
        return std::nullopt;
    }
    return secondsOf(date) + h * kHour + mi * 60 + s;
}

std::vector<TimeTick> TimeTicks(std::int64_t from, std::int64_t to, int maxTicks) {
    // One tick at most always fits in the end, with steps of many years.
    maxTicks = std::max(maxTicks, 1);
    // Steps of seconds from an origin, or of months when Months is set.
    struct Step {
        std::int64_t Seconds;
        std::int64_t Origin;
        std::string (*Label)(std::int64_t);
        int Months;
    };
    const Step steps[] = {
        {kHour, 0, hourLabel, 0},
        {2 * kHour, 0, hourLabel, 0},
        {3 * kHour, 0, hourLabel, 0},
        {6 * kHour, 0, hourLabel, 0},
        {12 * kHour, 0, hourLabel, 0},
        {kDay, 0, dayLabel, 0},
        {2 * kDay, 0, dayLabel, 0},
        {7 * kDay, kFirstMonday, dayLabel, 0},
        {14 * kDay, kFirstMonday, dayLabel, 0},
        {0, 0, nullptr, 1},
        {0, 0, nullptr, 3},
        {0, 0, nullptr, 6},
    };
    for (const Step& step : steps) {
        std::vector<TimeTick> ticks =
            step.Months > 0 ? monthTicks(from, to, maxTicks, step.Months)
                            : evenTicks(from, to, maxTicks, step.Seconds, step.Origin, step.Label);
        if (static_cast<int>(ticks.size()) <= maxTicks) {
            return ticks;
        }
    }
    for (int months = 12;; months *= 2) {
        std::vector<TimeTick> ticks = monthTicks(from, to, maxTicks, months);
        if (static_cast<int>(ticks.size()) <= maxTicks) {
            return ticks;
        }
    }
}

std::string MinuteText(const std::string& utc) {
    const std::optional<std::int64_t> time = UtcSeconds(utc);
    if (!time) {
        return utc;
    }
    const std::int64_t seconds = *time;
    const year_month_day date = dateOf(seconds);
    const std::int64_t inDay = seconds - secondsOf(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(inDay / kHour), static_cast<int>(inDay % kHour / 60));
    return text;
}
