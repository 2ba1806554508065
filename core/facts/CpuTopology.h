#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One kind of core on a processor with more than one (performance and
// efficiency cores).
struct CoreKind {
    // "performance" for the kind hwloc ranks highest, "efficiency" for the
    // lowest, "intermediate" between; nothing when hwloc cannot rank them.
    std::optional<std::string> Kind;
    // The operating system's name of the kind, e.g. "IntelAtom".
    std::optional<std::string> CoreType;
    std::string Cpus; // logical processor list, e.g. "0-7,16"
    unsigned Cores = 0;
    unsigned Threads = 0;
};

// Caches of one level that are alike: the same size, shared by as many cores.
struct CacheGroup {
    std::uint64_t SizeBytes = 0; // of one instance
    unsigned Instances = 0;
    unsigned CoresEach = 0;   // cores that share one instance
    unsigned ThreadsEach = 0; // logical processors that share one instance
};

// The processors' layout as hwloc sees it.
struct CpuTopology {
    std::optional<unsigned> Sockets;
    std::optional<unsigned> Cores;
    std::optional<unsigned> Threads;
    // From the most to the least performant; empty unless there are two
    // kinds or more.
    std::vector<CoreKind> CoreKinds;
    // Each level's groups in the order hwloc lists the caches; empty where
    // hwloc knows no such cache.
    std::vector<CacheGroup> L1d;
    std::vector<CacheGroup> L1i;
    std::vector<CacheGroup> L2;
    std::vector<CacheGroup> L3;
};

// This machine's topology, its disallowed processors included; nothing when
// hwloc fails.
std::optional<CpuTopology> MachineCpuTopology();
// A topology read from a copy of a Linux machine's /proc and /sys under root,
// as hwloc reads such a tree (HWLOC_FSROOT, set only while it reads), with
// nothing filled in from this machine's own CPUID.
std::optional<CpuTopology> CpuTopologyFromTree(const std::string& root);
// A topology exported as hwloc XML.
std::optional<CpuTopology> CpuTopologyFromXml(const std::string& xml);
// A topology from an hwloc synthetic description, e.g. "pack:2 core:4 pu:2".
std::optional<CpuTopology> CpuTopologyFromSynthetic(const std::string& description);
