#pragma once

#include "preflight/PreflightCheck.h"

#include <string>

// Which processors the benchmark shares, under root/sys/devices/system/cpu.

// Whether simultaneous multithreading is active: two threads of one core
// share its units, so a neighbour's work slows a run down.
PreflightCheck SmtCheck(const std::string& root);
// Whether processors are kept from the scheduler (isolcpus) or from its tick
// (nohz_full): a benchmark started on them with taskset is disturbed less.
PreflightCheck IsolationCheck(const std::string& root);
