#pragma once

#include "facts/InfoFields.h"

#include <nlohmann/json.hpp>

#include <string>
#include <utility>
#include <vector>

// A group of the machine's facts as the report shows them: a heading and
// rows of label and value, the value "unknown" where the machine did not
// tell.
struct FactGroup {
    std::string Title;
    std::vector<std::pair<std::string, std::string>> Rows;
};

// The facts of a machine from its quelvorant.info object: processor,
// caches, clocks, memory and system. Keys that are missing or of another
// type count as unknown; the processor, host name and identifier come from
// machine where the object lacks them.
std::vector<FactGroup> ReportFacts(const nlohmann::json& info, const MachineIdentity& machine);
