#pragma once

#include "run/RunRecord.h"

#include <string>

// What the passes of a run met, as HTML: a chart, <svg id="passes-met">, of
// every pass's share of its time spent waiting for a processor (<rect
// class="met waited">) and stolen by the host ("met stolen"), with its clock
// against the usual one as a line; the run's biggest loss in words; and a
// table of its outlier passes with their causes. Empty for a run without
// readings.
std::string PassesMetFigure(const RunRecord& run);
