#pragma once

#include <string>
#include <vector>

// A NUMA node: its number and its processors, as "0-7,16-23".
struct NumaNode {
    int Node = 0;
    std::string Cpus;
};

// The nodes in root/sys/devices/system/node, by number; none where the
// kernel shows no nodes.
std::vector<NumaNode> ReadNumaNodes(const std::string& root);
