#pragma once

#include "results/BenchReport.h"
#include "run/RunRecord.h"

#include <optional>
#include <string>

class ProcessorLibrary;
class SystemStatus;

// Keeps every run of the benchmark window that finished with its output
// checked in the results history, with the machine's facts, without a
// dialog. A history that cannot be used costs the run only its place in it:
// one line goes to stderr and the run goes on.
class WindowRunRecorder {
  public:
    WindowRunRecorder(ProcessorLibrary& library, SystemStatus& system, std::string inputFile,
                      std::string historyPath);

    void Record(const RunRecord& run);

  private:
    ProcessorLibrary& library_;
    SystemStatus& system_;
    std::string inputFile_;
    std::string historyPath_;
    // The test input's length and SHA-256, worked out once.
    std::optional<BenchReport::Input> input_;
};
