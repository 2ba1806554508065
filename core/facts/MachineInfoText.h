#pragma once

#include <string>

struct MachineInfo;

// The facts as UTF-8 text in groups of "Label:   value" lines, every value
// starting in one column as lscpu prints them; unknown facts read "unknown".
std::string MachineInfoText(const MachineInfo& info);
