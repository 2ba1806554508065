#pragma once

#include <cstddef>
#include <map>
#include <string>

// The most of one file that is kept; /proc/cpuinfo of a large machine stays whole.
inline constexpr std::size_t kMaxMachineFileBytes = 4u << 20;

// The system files the machine's facts are read from, under a root folder
// ("" for "/"), by their path below it without the leading '/', e.g.
// "proc/cpuinfo": /proc/cpuinfo, meminfo and stat, os-release, the
// processors' topology, caches, clocks, capacity and ARM identification
// registers, which processors are online, possible and present, and each
// NUMA node's processors, and the hypervisor's type, the firmware's vendor
// and product and the PCI devices that tell a virtual machine. Only readable regular files are
// read, each up to kMaxMachineFileBytes; a file that is missing or cannot be read is left out.
// Without identity, /etc/machine-id and the Serial line of /proc/cpuinfo
// are left out too.
std::map<std::string, std::string> CollectMachineFiles(const std::string& root, bool identity);
