#pragma once

#include "preflight/PreflightCheck.h"
#include "preflight/ProcessSample.h"

#include <string>

// Whether other programs kept the processors busy between two samples taken
// seconds apart: a warning from 10 % of one processor on. The program with
// the id selfPid does not count. The names and ids of the busiest programs go
// only into the terminal's texts; the load average comes from root/proc/loadavg.
PreflightCheck ProcessLoadCheck(const ProcessSample& before, const ProcessSample& after,
                                double seconds, int selfPid, const std::string& root);
