#pragma once

#include "results/BenchReport.h"

#include <string>
#include <vector>

// Above this coefficient of variation of Time Summa the runs are unstable.
inline constexpr double kUnstableCv = 0.03;

// What a user should know before trusting these runs: every run that lost
// more than a few percent of its time to one cause its passes met, and when
// the runs spread by more than kUnstableCv, that they do and what was seen
// on the machine meanwhile that explains it. Nothing for steady, quiet runs.
std::vector<std::string> BenchWarnings(const BenchReport& report);
