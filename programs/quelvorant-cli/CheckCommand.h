#pragma once

#include "preflight/PreflightResult.h"

// `quelvorant-cli check`: what can spoil a benchmark on this machine now.
// Prints the table, or with json one quelvorant.check/1 object; changes
// nothing and returns 0.
int RunCheck(bool json);

// The checks just before a benchmark's counted runs. With strict, a check
// that warns ends the command: its lines go to standard error and a
// CommandFailure says why the benchmark does not start.
PreflightResult CheckBeforeBench(bool strict);
