#pragma once

#include "history/HistoryRun.h"

#include <string>

// What the pages call a machine: its name, else its host name, else
// "unknown host"; and its processor, else "unknown processor".
std::string MachineLabel(const HistoryMachine& machine);
std::string ProcessorLabel(const HistoryMachine& machine);
