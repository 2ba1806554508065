#pragma once

#include <optional>
#include <string>

// The value of a field of the first processor block of /proc/cpuinfo text
// ("key<tabs>: value"), without surrounding blanks; nothing when the block
// has no such field.
std::optional<std::string> CpuInfoField(const std::string& cpuinfo, const std::string& key);

// A field's value read as an integer: decimal, or hexadecimal with "0x".
std::optional<long long> CpuInfoNumber(const std::string& cpuinfo, const std::string& key);

// Whether a list of words, such as the "flags" or "Features" field, holds word.
bool CpuInfoHasWord(const std::string& words, const char* word);
