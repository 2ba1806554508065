#pragma once

#include <cstddef>
#include <string>

// What `quelvorant-cli info --save-raw` puts in its bundle.
struct RawDataOptions {
    // Where the system files are read ("" for "/"); the kernel's name, the
    // hwloc topology and the CPUID answers are always this machine's.
    std::string Root;
    // Keeps the host name, /etc/machine-id, the Serial line of /proc/cpuinfo
    // and the firmware's serial numbers in the bundle.
    bool Identity = false;
};

// Writes the raw facts of this machine as one .tar.gz to file, through a
// temporary file renamed over it: under a top folder named like the file
// without ".tar.gz", the system files (CollectMachineFiles), uname.txt,
// hwloc.xml and on x86 cpuid.raw and cpuid-extra.txt. Returns the bundle's
// size in bytes; raises a QuelError naming file when it cannot be written.
std::size_t SaveRawData(const std::string& file, const RawDataOptions& options);
