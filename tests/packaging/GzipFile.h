#pragma once

#include "tests/packaging/ProgramRun.h"

#include <string>

// The whole contents of a file, empty when it cannot be read.
std::string ReadFile(const std::string& path);

// What keeps a gzip file from being what the package holds: made with
// gzip -9n, so no file name, no time stamp and maximum compression. Empty
// when there is nothing.
std::string GzipHeaderProblem(const std::string& bytes);

// A gzip file's uncompressed contents, from gzip -dc.
ProgramRun Gunzip(const std::string& path);
