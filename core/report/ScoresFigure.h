#pragma once

#include "history/HistoryRun.h"

#include <string>
#include <vector>

// A machine's runs, oldest first, as HTML: <svg id="scores-over-time"> with
// one <circle class="point"> per run at the time it began and its score
// ("point this" for the run the report is about), a line at the median
// score, and a table of the same runs.
std::string ScoresFigure(const std::vector<HistoryRun>& runs, const std::string& thisRunId);
