#pragma once

#include <map>
#include <string>
#include <utility>

// The processor time of the whole machine and of every process at one
// moment, read from root/proc (an empty root is "/").
struct ProcessSample {
    struct Program {
        std::string Name;
        // User and system time since the process started, in seconds.
        double Seconds = 0.0;
    };
    // Keyed by process id and start time, so that a reused id is another program.
    using Key = std::pair<int, unsigned long long>;

    // All processors' busy time since boot, in seconds.
    double BusySeconds = 0.0;
    std::map<Key, Program> Programs;

    static ProcessSample Take(const std::string& root);
};
