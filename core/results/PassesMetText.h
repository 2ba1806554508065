#pragma once

#include "run/RunRecord.h"

#include <string>
#include <vector>

// What the passes of these runs met, as a table of one line per run: the
// shares of their time spent waiting for a processor, stolen and below the
// usual clock, and their outlier passes with causes; then where the clock
// came from. Empty when no run has readings.
std::string PassesMetText(const std::vector<RunRecord>& runs);
