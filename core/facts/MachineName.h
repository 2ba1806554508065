#pragma once

#include <cstddef>
#include <string>

// The name a machine goes by in results: its host name, unless the user names
// it otherwise, as a fleet names its hosts by their inventory names, or to
// tell apart clones of one system image, which share one machine id.
namespace MachineName {

// The environment variable that names the machine.
inline constexpr const char* kVariable = "QUELVORANT_MACHINE_NAME";
inline constexpr std::size_t kMaxBytes = 256;

// Why text cannot name a machine; empty when it can: 1 to 256 bytes of
// UTF-8 without control characters.
std::string Fault(const std::string& text);

// QUELVORANT_MACHINE_NAME set to nothing is as if it were not set.
// Raises a QuelError naming QUELVORANT_MACHINE_NAME when it holds text that
// cannot name a machine, so that no result is kept under another name
// than the one asked for.
void CheckVariable();

// The name in QUELVORANT_MACHINE_NAME when it is set and can name a machine,
// else hostName.
std::string Chosen(const std::string& hostName);

} // namespace MachineName
