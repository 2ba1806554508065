#pragma once

#include "platform/PassReading.h"
#include "preflight/PreflightResult.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

// A run as the results history keeps it.
struct HistoryRun {
    // A random UUID: the same run imported twice is kept once.
    std::string Id;
    // The machine it ran on: its id and name (HistoryMachine).
    std::string MachineId;
    std::string MachineName;
    // When the run began, UTC, as 2026-12-09T10:15:00Z.
    std::string StartedAt;
    // The version of the program that ran it, as 1.0.320.
    std::string ProgramVersion;
    // "window" or "cli".
    std::string Source;
    std::string InputSha256;
    // The program's own test input: the run compares with other machines'.
    bool Comparable = true;
    double TimeSumma = 0.0;
    double Score = 0.0;
    bool CheckPassed = true;
    // How many copies of the workload ran at once; 1 for a single copy.
    int Copies = 1;
    // The id that the copies which ran at once share (the first copy's);
    // empty for a single copy and for copies kept without it.
    std::string CopiesOf;
    // The run from its start to its end in seconds; of a copy, that of all
    // the copies together. 0 where not kept.
    double WallSeconds = 0.0;
    // Seconds: 50 compressions, then 51 decompressions.
    std::vector<double> PassTimes;
    // The processor a single copy was pinned to, or -1.
    int Cpu = -1;
    // What each pass met, beside PassTimes; empty for runs kept without.
    std::vector<PassReading> Readings;
    PassReadingSources ReadingSources;
    // The checks of the machine made just before the run, where any were.
    std::optional<PreflightResult> Preflight;
};

// A machine as the results history keeps it: what identifies it, and its
// facts as a quelvorant.info object from the last run recorded on it. A
// machine is its id together with its name, so that clones of one system
// image, which share an id, stay apart when their names differ.
struct HistoryMachine {
    std::string Id;
    // The host name unless the machine was named otherwise.
    std::string Name;
    std::string HostName;
    std::string Processor;
    nlohmann::json Info;
    std::string LastSeen;
};
