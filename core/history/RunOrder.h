#pragma once

#include "history/HistoryRun.h"

#include <cstdint>
#include <string_view>
#include <vector>

// How far a time may lie ahead of this computer's clock and still be taken
// as when a run began: the clocks of two machines differ, and a time zone
// written wrongly is hours off. Later than that, the time is kept as given
// but never counts as the newest.
inline constexpr std::int64_t kClockAheadSeconds = 86400;

// Where a run's time stands against this computer's clock, now seconds
// after 1970-01-01T00:00:00Z.
enum class TimeStanding { Past, Ahead, Unreadable };
TimeStanding StandingOf(std::string_view time, std::int64_t now);

// This computer's clock, in seconds after 1970-01-01T00:00:00Z.
std::int64_t ClockSeconds();

// Newest first, by the moment each time names rather than by its text;
// runs whose time lies ahead of the clock come after all others, then those
// whose time cannot be read; equal times by id.
void SortNewestFirst(std::vector<HistoryRun>& runs, std::int64_t now);
