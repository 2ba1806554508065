#pragma once

#include <chrono>
#include <string>

// One status line on stderr while a bench command runs: which run, which
// pass, the time so far and an estimate of the time left. It is drawn only
// between passes, never while one is timed.
class ProgressLine {
  public:
    // enabled: stderr is a terminal and the user did not ask for quiet.
    // runs: how many runs of 101 passes the command will make in all.
    ProgressLine(bool enabled, int runs);
    ~ProgressLine();

    void RunStarted(std::string label);
    void PassStarted(int pass);
    // Removes the line, so that what follows starts on a clean line.
    void Clear();

  private:
    bool enabled_;
    int totalPasses_;
    int passesBefore_ = 0;
    int pass_ = 0;
    std::string label_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
