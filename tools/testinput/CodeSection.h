#pragma once

#include <cstdint>
#include <vector>

// A block of bytes laid out like a program's code section: functions with
// prologues and epilogues, calls, jumps and rip-relative loads between them,
// alignment padding, import thunks, then read-only data, ending in zeros.
// The same size always gives the same bytes.
std::vector<std::uint8_t> MakeCodeSection(std::uint32_t size);
