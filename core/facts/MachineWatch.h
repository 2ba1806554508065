#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What the machine did besides the benchmark while runs were timed: the
// reasons a user looks for when results spread. Start and Stop may be called
// around several stretches; the figures cover all of them.
class MachineWatch {
  public:
    // root prefixes /proc and /sys, for tests.
    explicit MachineWatch(std::string root = "");

    void Start();
    void Stop();

    // Processor time that other programs (and the hypervisor, as steal time)
    // took while watched, in percent of one processor.
    double OtherLoadPercent() const;
    // The frequency governors of the processors, joined by "," when they
    // differ; none when the machine has no cpufreq.
    std::optional<std::string> Governor() const;
    // Thermal throttling events counted while watched; none when the machine
    // has no counters.
    std::optional<std::uint64_t> ThrottleEvents() const;

  private:
    struct Reading {
        double busySeconds = 0.0;
        double ownSeconds = 0.0;
        double wallSeconds = 0.0;
        std::optional<std::uint64_t> throttle;
    };
    Reading read() const;

    std::string root_;
    Reading start_;
    double otherSeconds_ = 0.0;
    double wallSeconds_ = 0.0;
    std::optional<std::uint64_t> throttleEvents_;
};
