#pragma once

#include "history/HistoryRun.h"

#include <string>
#include <vector>

// Runs of the history in long form for spreadsheets and plotting: a header,
// then one row per pass with its run's machine, id, start, source and
// copies, the pass's number, kind and seconds, and the readings the pass has
// (an empty cell where it has none). Comma-separated, CRLF line ends, texts
// quoted where they must be; a text that a spreadsheet would take for a
// formula (= + - @ at its start) is kept as text with a leading apostrophe.
std::string HistoryCsv(const std::vector<HistoryRun>& runs);
