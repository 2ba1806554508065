#pragma once

#include "report/FleetMachine.h"

#include <string>
#include <vector>

// The ranked machines of the fleet as one bar each, fastest first, in
// <svg id="fleet-chart">: a <rect class="machine"> as long as the median Time
// Summa, a <line class="range"> over its min–max, and the machine's name and
// processor above it. Machines not ranked are left out; empty when none is.
std::string FleetChart(const std::vector<FleetMachine>& fleet);
