#pragma once

#include <string>

// `quelvorant-cli fleet init DIR`: puts the fleet playbook, its settings, an
// inventory to fill in and the playbook's README into DIR, made when
// missing, from the playbook folder installed with the program. When any of
// those files is there already it writes nothing and fails naming them,
// unless force, which replaces them. Returns the exit code.
int RunFleetInit(const std::string& folder, bool force);
