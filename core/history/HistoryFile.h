#pragma once

#include <string>

// Makes sure path can be opened as a results history. A missing history is
// made complete under another name in the same folder and then linked into
// place, so that the path never holds an empty file of ours, not even while
// two programs make it at once. What is there already must be a file that
// is not empty: an empty file, or a symbolic link that leads nowhere, was
// put there by something else, and is refused with a QuelError that says
// how to recover rather than made into a database.
void PrepareHistoryFile(const std::string& path);

// Whether there is a results history at path to open, without making one:
// false when nothing is there; what PrepareHistoryFile refuses is refused
// the same way.
bool HistoryFileExists(const std::string& path);
