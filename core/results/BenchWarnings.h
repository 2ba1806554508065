#pragma once

#include "results/BenchReport.h"

#include <string>
#include <vector>

// Above this coefficient of variation of Time Summa the runs are unstable.
inline constexpr double kUnstableCv = 0.03;

// What a user should know before trusting these runs: that they spread by
// more than kUnstableCv, and what was seen on the machine meanwhile that
// explains it. Nothing for steady runs or a single run.
std::vector<std::string> BenchWarnings(const BenchReport& report);
