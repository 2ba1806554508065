#pragma once

#include "run/BenchmarkView.h"
#include "run/OutputCheck.h"
#include "run/RunRecord.h"
#include "run/TimedPasses.h"

#include <chrono>
#include <functional>
#include <string>

// The result of a run: the sum of the first 100 pass times and the score.
struct RunResult {
    double TimeSumma = 0.0;
    double Score = 0.0;
};

// The whole benchmark run behind the window's Begin command: 50 compression
// and 51 decompression passes, the check of their output, the sum, the
// score, the final message, the save offers and the clean-up.
class BenchmarkRun {
  public:
    using SaveOffers = std::function<void(const RunResult&)>;

    BenchmarkRun(BenchmarkView& view, TimedPasses& passes, SaveOffers saveOffers);

    // Told of every run that finished with its output checked, after the
    // final message and before the save offers.
    using RunFinished = std::function<void(const RunRecord&)>;
    void SetRunFinished(RunFinished runFinished) { runFinished_ = std::move(runFinished); }

    // Runs the passes, checks their output and ends with the final message,
    // the save offers and the clean-up.
    void Run();

    // The sum of list positions 0 to 99 as their texts show them; a missing
    // position adds 0.
    static double TimeSumma(const BenchmarkView& view);
    // The sum counted in fiftieths of a second, the fraction dropped.
    static double Score(double timeSumma);
    static std::string FinalMessage(const RunResult& result);

    // The check of the last run's output; not passed before a run has
    // reached its check.
    const CheckResult& LastCheck() const { return lastCheck_; }

  private:
    void setCommandsEnabled(bool enabled);
    void resetCurrent();
    void resetTotal();
    // Length of the compressed test file, or -1 when it cannot be measured.
    std::int64_t compressedLength() const;
    void changedFileExit();
    // The decompressed test file is not the test input: the user learns what
    // differs, and the run ends without a score or save offers.
    void failedCheckExit(const CheckResult& check);
    void deleteTestFiles();

    BenchmarkView& view_;
    TimedPasses& passes_;
    // The record of a run that reached its score.
    RunRecord record(const RunResult& result) const;

    SaveOffers saveOffers_;
    RunFinished runFinished_;
    CheckResult lastCheck_;
    std::string startedAt_;
    std::chrono::steady_clock::time_point start_;
};
