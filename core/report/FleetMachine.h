#pragma once

#include "history/HistoryRun.h"
#include "preflight/PreflightCheck.h"
#include "run/Statistics.h"

#include <optional>
#include <string>
#include <vector>

// One machine of the fleet page with the figures its runs in the history give.
struct FleetMachine {
    HistoryMachine Machine;
    // Its place, fastest first, among the machines with runs of one copy on
    // the program's own test input that passed their check; 0 for a machine
    // without such runs, which is not ranked.
    int Rank = 0;
    // Those runs: how many, and the spread of their Time Summas.
    int Runs = 0;
    Statistics::Spread TimeSumma;
    // Runs of several copies at once that passed their check, of the most
    // copies it ran: their count of copies (0 when it ran none), the
    // passes per second of the copies together over their wall time (median
    // over the runs), and that over copies times the passes per second of one
    // copy alone; both unknown where the wall times were not kept.
    int Copies = 0;
    std::optional<double> PassesPerSecond;
    std::optional<double> ScalingEfficiency;
    // From its facts; empty where they do not tell.
    std::string Architecture;
    std::string Hypervisor;
    // The checks that warned just before its newest run that was checked;
    // none kept when no run was checked.
    std::optional<std::vector<PreflightCheck>> Warnings;
    // Its runs on other test inputs, which compare with no other machine's.
    struct OtherInput {
        std::string Sha256;
        int Runs = 0;
        double MedianTimeSumma = 0.0;
    };
    std::vector<OtherInput> OtherInputs;
    // Every run it has, newest first.
    std::vector<HistoryRun> AllRuns;
};

// The fleet: every machine with its figures, the ranked ones fastest first
// (by median Time Summa), then those not ranked by name. runs are the
// history's runs with their pass times and checks, newest first.
std::vector<FleetMachine> FleetOf(const std::vector<HistoryMachine>& machines,
                                  const std::vector<HistoryRun>& runs);
