#pragma once

#include "run/BenchmarkRun.h"

#include <functional>
#include <string>
#include <vector>

// The 25-line results report: the machine as the information window shows it
// and the run's result, as single-byte text with CR LF line ends.
class ResultsReport {
  public:
    // The current caption of one of the information window's labels, by name,
    // as single-byte (Latin-1) text.
    using CaptionOf = std::function<std::string(const std::string& labelName)>;

    static constexpr int kLines = 25;

    // Reads each caption just before its line is made.
    static std::vector<std::uint8_t> Text(const CaptionOf& captionOf, const RunResult& result);
};
