#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Seconds since 1970-01-01 of a UTC time written as 2026-12-09T10:15:00Z
// (fractions of a second are ignored); nothing when the text is not one.
std::optional<std::int64_t> UtcSeconds(const std::string& text);

// A mark on a time axis with its label.
struct TimeTick {
    std::int64_t Seconds = 0;
    std::string Label;
};

// Ticks at round times between two instants, at most maxTicks of them: whole
// hours, days ("9 Dec"), Mondays, first days of months ("Dec 2026") or years,
// whichever is the finest that fits.
std::vector<TimeTick> TimeTicks(std::int64_t from, std::int64_t to, int maxTicks);

// A UTC time such as 2026-12-09T10:15:00Z to the minute, as
// "2026-12-09 10:15"; a text that is not one stays as it is.
std::string MinuteText(const std::string& utc);
