#pragma once

#include "history/HistoryRun.h"

#include <string>
#include <utility>
#include <vector>

// Every machine with its best run as HTML, fastest first:
// <svg id="machines"> with one <rect class="machine"> per machine, its
// length the run's Time Summa, the one with thisMachineId as "machine this"
// and labelled so; and a table of the same runs.
std::string MachinesFigure(std::vector<std::pair<HistoryMachine, HistoryRun>> machines,
                           const std::string& thisMachineId);
