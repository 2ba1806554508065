#include "rawdata/TopologyXml.h"

#include <hwloc.h>
#include <memory>
#include <sstream>

namespace {

using Topology = std::unique_ptr<hwloc_topology, decltype(&hwloc_topology_destroy)>;

constexpr const char* kIdentities[] = {
    "HostName",         "DMIProductSerial", "DMIProductUUID",     "DMIBoardSerial",
    "DMIBoardAssetTag", "DMIChassisSerial", "DMIChassisAssetTag",
};

// hwloc writes each info attribute as one line: <info name="..." value="..."/>.
bool namesMachine(const std::string& line) {
    for (const char* name : kIdentities) {
        if (line.find("<info name=\"" + std::string(name) + "\"") != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<std::string> MachineTopologyXml() {
    hwloc_topology_t raw = nullptr;
    if (hwloc_topology_init(&raw) != 0) {
        return std::nullopt;
    }
    const Topology topology(raw, &hwloc_topology_destroy);
    char* buffer = nullptr;
    int length = 0;
    // Instruction caches are kept, which hwloc leaves out unless asked.
    if (hwloc_topology_set_flags(raw, HWLOC_TOPOLOGY_FLAG_INCLUDE_DISALLOWED) != 0 ||
        hwloc_topology_set_icache_types_filter(raw, HWLOC_TYPE_FILTER_KEEP_ALL) != 0 ||
        hwloc_topology_load(raw) != 0 ||
        hwloc_topology_export_xmlbuffer(raw, &buffer, &length, 0) != 0 || buffer == nullptr) {
        return std::nullopt;
    }
    // The length counts the closing zero.
    std::string xml(buffer, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    hwloc_free_xmlbuffer(raw, buffer);
    return xml;
}

std::string TopologyXmlWithoutIdentity(const std::string& xml) {
    std::istringstream lines(xml);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (!namesMachine(line)) {
            kept += line + '\n';
        }
    }
    return kept;
}
