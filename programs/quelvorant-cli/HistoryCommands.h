#pragma once

#include "history/HistoryRun.h"

#include <optional>
#include <string>
#include <vector>

// The subcommands on the results history. Each returns the exit code; a
// history that cannot be used, or a file that cannot be read, raises.
// Listing and export only read the history: they make no file and change
// none.

// `history [--machine ID] [--limit N] [--json]`: the kept runs, newest first.
// A machine is named by its id or its host name.
int RunHistoryList(const std::optional<std::string>& machine, const std::optional<int>& limit,
                   bool json);
// `history delete ID`: one run, named by its id or a beginning of it.
int RunHistoryDelete(const std::string& id);
// `export [ID...|--all] --json FILE`: runs with their machines as a
// quelvorant.history/2 document.
int RunExport(const std::vector<std::string>& ids, bool all, const std::string& file);
// The same runs in long form, a row per pass (HistoryCsv).
int RunExportCsv(const std::vector<std::string>& ids, bool all, const std::string& file);
// `import FILE...`: bench results and exports, from this computer or others.
// Nothing is kept unless every file can be read. A file that gives this
// computer's id to another host or processor is refused; this computer's
// facts are never taken from a file.
int RunImport(const std::vector<std::string>& files, const HistoryMachine& thisMachine);
