#pragma once

#include <functional>
#include <nlohmann/json.hpp>
#include <string>

// The options of `quelvorant-cli bench`.
struct BenchOptions {
    int Runs = 3;
    int Warmup = 1;
    // Copies of the workload at once; 1 runs no multi-core part.
    int Copies = 1;
    // Another test input; empty for the program's own.
    std::string Input;
    // Where the JSON goes: a path, "-" for standard output, empty for none.
    std::string JsonFile;
    bool Quiet = false;
    // Leave the results history alone.
    bool NoHistory = false;
    // Refuse to start while a check of the machine warns.
    bool Strict = false;
    // The processor a single copy runs on, by number or by core kind; -1 and
    // empty leave it to the scheduler.
    int Cpu = -1;
    std::string CoreKind;
};

// Runs the benchmark as the options say and prints its results; returns the
// program's exit code. machineInfo gives the info object that the JSON holds.
int RunBench(const BenchOptions& options, const std::function<nlohmann::json()>& machineInfo);

// The processors this program may run on, in ascending order.
std::vector<int> AvailableProcessors();
