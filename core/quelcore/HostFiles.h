#pragma once

#include <optional>
#include <string>

// Reads a small text file of the kernel (/proc, /sys) whole. Such files report
// a length of 0, so they are read until their end instead of by size.
std::optional<std::string> ReadTextFile(const std::string& path);
