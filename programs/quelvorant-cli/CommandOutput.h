#pragma once

#include "platform/QuelError.h"

#include <string>

// What the commands share for their output.

// An error that ends a command: the program prints its description.
QuelError CommandFailure(const std::string& what);

// Writes text to file, replacing it durably, or to standard output for "-".
// A file that cannot be written raises a CommandFailure that names it.
void WriteOutput(const std::string& file, const std::string& text);
