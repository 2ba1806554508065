#pragma once

#include <optional>
#include <string>

// The distribution's name from os-release(5).
namespace OsRelease {

// PRETTY_NAME of an os-release text, its quotes and escapes undone; nothing
// when the text has none or it is empty.
std::optional<std::string> PrettyName(const std::string& text);

// PRETTY_NAME of root + /etc/os-release, or of /usr/lib/os-release where the
// first does not exist.
std::optional<std::string> ReadPrettyName(const std::string& root);

} // namespace OsRelease
