#pragma once

#include <cstdint>
#include <string>

// The physical memory figures of the machine. The sizes are 64-bit: today's
// machines have more than the 4 GiB a 32-bit count can hold.
struct MEMORYSTATUS {
    std::uint32_t dwLength = 0;     // size of this record in bytes
    std::uint32_t dwMemoryLoad = 0; // percentage of physical memory in use, 0 to 100
    std::uint64_t ullTotalPhys = 0; // total physical memory in bytes
    std::uint64_t ullAvailPhys = 0; // available physical memory in bytes
};

// Fills the memory figures from the text of /proc/meminfo: MemTotal and
// MemAvailable (MemFree on kernels without it), in kB there. Figures that are
// missing stay 0.
void ParseMemInfo(const std::string& meminfo, MEMORYSTATUS& status);
