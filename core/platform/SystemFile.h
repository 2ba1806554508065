#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Small text files of the system (/proc, /sys, /etc), read under a root folder
// so that tests can lay out a tree of their own; an empty root is "/".
namespace SystemFile {

// The whole file, or nothing when it cannot be read.
std::optional<std::string> Text(const std::string& root, const std::string& path);
// The first line without surrounding white space; nothing when the file
// cannot be read or that line is empty.
std::optional<std::string> Line(const std::string& root, const std::string& path);
// The first line as a whole decimal number; nothing when it is not one.
std::optional<std::uint64_t> Number(const std::string& root, const std::string& path);

} // namespace SystemFile
