#pragma once

#include <cstdint>
#include <optional>
#include <string>

// What one timed pass met, from readings taken just before its clock starts
// and just after it stops. A figure this machine cannot give is empty, never
// estimated.
struct PassReading {
    // The processors the pass started and ended on (sched_getcpu); -1 when
    // not known. They differ when the pass was moved.
    int CpuAtStart = -1;
    int CpuAtEnd = -1;
    // Seconds the thread was ready to run but waited for a processor
    // (/proc/thread-self/schedstat): other programs' doing.
    std::optional<double> WaitSeconds;
    // Involuntary context switches of the thread over the pass.
    std::optional<std::uint64_t> InvoluntarySwitches;
    // Seconds stolen from the pass's processor by a virtual machine's host
    // (/proc/stat steal, in the kernel's ticks).
    std::optional<double> StolenSeconds;
    // Page faults of the thread over the pass.
    std::optional<std::uint64_t> MinorFaults;
    std::optional<std::uint64_t> MajorFaults;
    // The thread's cycles and instructions over the pass (perf_event_open).
    std::optional<std::uint64_t> Cycles;
    std::optional<std::uint64_t> Instructions;
    // The clock the pass ran at: cycles over the time the thread ran, else
    // cpufreq's current frequency of its processor.
    std::optional<double> ClockMHz;
    // The hottest processor temperature after the pass (hwmon).
    std::optional<double> TemperatureC;
    // Thermal throttling events of the pass's processor during the pass.
    std::optional<std::uint64_t> ThrottleEvents;
    // Seconds spent taking these readings, outside the timed region.
    double ReadingSeconds = 0.0;
};

// Where a run's clock figures came from, and why counters are missing.
struct PassReadingSources {
    // "counters", "cpufreq" or empty when no clock is known.
    std::string Clock;
    // Why cycles and instructions are not counted; empty when they are.
    std::string CountersUnavailable;
    // The highest clock of the run's processors (cpufreq's cpuinfo_max_freq),
    // the usual clock that passes are measured against; empty without cpufreq.
    std::optional<double> MaxClockMHz;
};
