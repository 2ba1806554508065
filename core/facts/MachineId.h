#pragma once

#include <optional>
#include <string>

// A stable identifier of this machine for a results history that does not
// give away the machine's own id: as machine-id(5) asks of applications, the
// id is hashed with a fixed text of this program.
namespace MachineId {

// The first 16 hex digits of SHA-256 over the program's prefix and the id.
// Nothing unless the text's first line is an id of 32 hex digits.
std::optional<std::string> ApplicationId(const std::string& machineIdText);

// The identifier from root + /etc/machine-id; nothing when there is none.
std::optional<std::string> Read(const std::string& root);

} // namespace MachineId
