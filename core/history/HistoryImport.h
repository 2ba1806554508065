#pragma once

#include "history/HistoryJson.h"

#include <string>

// The runs and machines of a file to import: a bench result
// (quelvorant.bench/2 or /1) or an export (quelvorant.history/2 or /1), from
// this computer or another; "-" reads standard input. A file that cannot be
// read, is not JSON or is of another kind raises a QuelError that names it.
HistoryDocument ReadImportFile(const std::string& path);

// The same for a file's text already read; name stands for the file.
HistoryDocument ImportDocumentFrom(const std::string& text, const std::string& name);
