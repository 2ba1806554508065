#pragma once

#include <optional>
#include <string>

// This machine's topology as hwloc exports it to XML, its disallowed
// processors included; nothing when hwloc fails.
std::optional<std::string> MachineTopologyXml();

// The XML without what names this very machine: the host name and the
// firmware's serial numbers, UUID and asset tags (hwloc's info attributes
// HostName, DMIProductSerial, DMIProductUUID, DMIBoardSerial, ...).
std::string TopologyXmlWithoutIdentity(const std::string& xml);
