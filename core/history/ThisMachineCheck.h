#pragma once

#include "history/HistoryJson.h"

#include <string>

// Refuses a file whose machine carries the id and name of thisMachine, the
// computer running the program, but another host name or processor: its
// facts could be taken for this computer's. The same id with another name is
// another machine, as clones of one system image are. Raises a QuelError naming the file, the
// machine and both sets of facts.
void CheckThisMachine(const HistoryDocument& document, const HistoryMachine& thisMachine,
                      const std::string& path);
