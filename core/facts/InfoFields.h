#pragma once

#include <nlohmann/json.hpp>
#include <string>

// Who a machine is, as a quelvorant.info object tells it.
struct MachineIdentity {
    // The machine identifier; empty when the object has none.
    std::string Id;
    // The name its results go by; the host name where the object names none
    // (every quelvorant.info/1 object).
    std::string Name;
    std::string HostName;
    // The name the information window shows, else the one the processor gives.
    std::string Processor;
};

// Reads the identity back from an info object; keys that are missing or of
// another type read as empty text.
MachineIdentity IdentityOf(const nlohmann::json& info);
