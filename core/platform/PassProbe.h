#pragma once

#include "platform/PassReading.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Takes what one timed pass met on the calling thread: Before() just before
// its clock starts, After() just after it stops. It reads /proc and /sys under
// root (an empty root is "/"), so that tests can lay out a tree of their own.
// Construct it on the thread whose passes it reads: the thread's counters and
// schedstat file are opened once, here, and kept open until it ends.
class PassProbe {
  public:
    enum class Counters { Use, Skip };

    explicit PassProbe(std::string root = "", Counters counters = Counters::Use);
    ~PassProbe();
    PassProbe(const PassProbe&) = delete;
    PassProbe& operator=(const PassProbe&) = delete;

    void Before();
    // The differences since Before() and the figures of the pass's end.
    PassReading After();

    const PassReadingSources& Sources() const { return sources_; }

  private:
    // The thread's cumulative figures at one moment.
    struct Snapshot {
        int cpu = -1;
        std::optional<std::uint64_t> runDelayNs;
        std::uint64_t involuntarySwitches = 0;
        std::uint64_t minorFaults = 0;
        std::uint64_t majorFaults = 0;
        bool usage = false;
        std::optional<std::uint64_t> stealTicks;
        std::optional<std::uint64_t> throttleEvents;
        // Cycles, instructions and the counters' enabled and running
        // nanoseconds.
        std::optional<std::uint64_t> cycles;
        std::uint64_t instructions = 0;
        std::uint64_t enabledNs = 0;
        std::uint64_t runningNs = 0;
    };

    // The open files of the processor last read: kept open while the thread
    // stays there, so that most passes open no file at all; -1 when absent.
    struct ProcessorFiles {
        int cpu = -1;
        int coreThrottle = -1;
        int packageThrottle = -1;
        int cpufreq = -1;
    };

    void openCounters();
    void findTemperatures();
    void readCounters(Snapshot& snapshot) const;
    void readThreadFigures(Snapshot& snapshot) const;
    std::optional<std::uint64_t> stealTicks(int cpu) const;
    std::optional<std::uint64_t> throttleEvents(int cpu);
    std::optional<double> cpufreqMHz(int cpu);
    std::optional<double> hottestCelsius() const;
    const ProcessorFiles& filesOf(int cpu);
    void closeProcessorFiles();

    std::string root_;
    int schedstat_ = -1;
    int stat_ = -1;
    int cycles_ = -1;
    int instructions_ = -1;
    std::vector<int> temperatures_;
    ProcessorFiles processor_;
    double ticksPerSecond_ = 100.0;
    PassReadingSources sources_;
    Snapshot before_;
    std::chrono::steady_clock::duration beforeTime_{};
};
