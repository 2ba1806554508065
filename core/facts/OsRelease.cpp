#include "facts/OsRelease.h"

#include "platform/SystemFile.h"

#include <sstream>

namespace {

// A value as the shell would read it: in double quotes a backslash keeps the
// next of \ " $ `; in single quotes everything stays as written.
std::string Unquoted(const std::string& value) {
    std::string text;
    char quote = '\0';
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote == '\0' && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == quote) {
            quote = '\0';
        } else if (c == '\\' && quote != '\'' && i + 1 < value.size() &&
                   (quote == '\0' ||
                    std::string("\\\"$`").find(value[i + 1]) != std::string::npos)) {
            text.push_back(value[++i]);
        } else {
            text.push_back(c);
        }
    }
    return text;
}

} // namespace

namespace OsRelease {

std::optional<std::string> PrettyName(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    const std::string key = "PRETTY_NAME=";
    std::optional<std::string> name;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.compare(0, key.size(), key) == 0) {
            name = Unquoted(line.substr(key.size()));
        }
    }
    if (name && name->empty()) {
        return std::nullopt;
    }
    return name;
}

std::optional<std::string> ReadPrettyName(const std::string& root) {
    std::optional<std::string> text = SystemFile::Text(root, "/etc/os-release");
    if (!text) {
        text = SystemFile::Text(root, "/usr/lib/os-release");
    }
    return text ? PrettyName(*text) : std::nullopt;
}

} // namespace OsRelease
