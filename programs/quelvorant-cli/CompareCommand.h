#pragma once

#include <string>
#include <vector>

// `quelvorant-cli compare A.json B.json ...`: a table per figure with each
// file's value, its difference from the first file's, and whether the
// difference is significant (Mann-Whitney U over the pass times, p < 0.01).
// With markdown, the same as Markdown tables, for a ticket or a README.
// Returns the exit code; a file that cannot be read as a bench result raises.
int RunCompare(const std::vector<std::string>& paths, bool markdown = false);
