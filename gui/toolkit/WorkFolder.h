#pragma once

#include <string>

// The folder for the benchmark's work files (the test files and the
// temporary report): the program's own folder when the user can write there
// (a build tree, a portable copy), otherwise cacheFolder, created on demand.
// An installed program's folder belongs to root, so without this every pass
// would fail for every user.
std::string ChooseWorkFolder(const std::string& applicationDirectory,
                             const std::string& cacheFolder);

// ChooseWorkFolder with the user's cache folder for Quelvorant.
std::string WorkFolder(const std::string& applicationDirectory);
