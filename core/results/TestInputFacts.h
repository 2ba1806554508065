#pragma once

#include "results/BenchReport.h"

#include <string>

// The program's own test input, Quelvorant.exe beside the program.
std::string OwnTestInput();

// The test input at path, or the program's own for an empty path: its
// length, its SHA-256 and whether its results compare with other machines'
// (only the program's own input's do). Raises when it cannot be read.
BenchReport::Input TestInputFacts(const std::string& path);
