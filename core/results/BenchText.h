#pragma once

#include "results/BenchReport.h"

#include <string>

// The bench command's results for a terminal: the runs one per line, then
// the summary, aligned.
std::string BenchText(const BenchReport& report);
