#pragma once

#include "report/FleetMachine.h"

#include <string>
#include <vector>

// The fleet page as one self-contained HTML document (inline style and SVG,
// no script): the ranked machines as a chart and every machine in
// <table class="fleet">, fastest first, with its median Time Summa and spread,
// the copies' passes per second and scaling efficiency, architecture,
// processor, hypervisor and the warnings of its checks; the results on other
// test inputs apart, as they do not compare; and each machine's runs in a
// section of its own (id "machine-N" in the table's order) that its name in
// the table links to. generatedAt is UTC, ISO 8601.
std::string HtmlFleetPage(const std::vector<FleetMachine>& fleet, const std::string& generatedAt);
