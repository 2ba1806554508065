#pragma once

#include "facts/MachineInfo.h"

#include <string>
#include <vector>

// A machine's facts made from its raw data, and what could not be read.
struct LoadedMachine {
    MachineInfo Info;
    // One line for each file that is there but could not be used, e.g.
    // "cpuid.raw:3: four hexadecimal numbers must follow '='"; the facts it
    // would have told are unknown.
    std::vector<std::string> Faults;
};

// The facts of the machine whose raw data lies under root, made by the code
// that reads the running machine, its sources re-rooted: the system files
// under root, the topology from hwloc.xml or else the tree under root (else
// from the CPUID answers), the processor from cpuid.raw and cpuid-extra.txt
// (else from proc/cpuinfo), the kernel from uname.txt. What only a running
// machine has is unknown. source names the bundle in what is shown. A
// 32-bit ARM machine is refused with a QuelError that says so.
LoadedMachine LoadMachineInfo(const std::string& root, const std::string& source);
