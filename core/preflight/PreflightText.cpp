#include "preflight/PreflightText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Row = std::array<std::string, 4>;

Row rowOf(const PreflightCheck& check) {
    return {LevelName(check.Level), check.Name,
            check.FoundHere.empty() ? check.Found : check.FoundHere,
            check.FixHere.empty() ? check.Fix : check.FixHere};
}

} // namespace

std::string PreflightText(const PreflightResult& result) {
    std::vector<Row> rows = {{"level", "check", "found", "fix"}};
    for (const PreflightCheck& check : result.Checks) {
        rows.push_back(rowOf(check));
    }
    // The widths of the first three columns; "°" is two bytes but one column.
    std::array<std::size_t, 3> widths{};
    const auto columns = [](const std::string& text) {
        return static_cast<std::size_t>(
            std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], columns(row[i]));
        }
    }
    std::string text;
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            line += row[i] + std::string(widths[i] - columns(row[i]) + 2, ' ');
        }
        line += row[3];
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    const int warnings = result.Warnings();
    text += '\n';
    text += std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
            (warnings > 0 ? ": the benchmark's results would wander; the fixes change that.\n"
                          : ": nothing spoils a benchmark now.\n");
    return text;
}

std::string PreflightWarningLines(const PreflightResult& result, const std::string& prefix) {
    std::string lines;
    for (const PreflightCheck& check : result.Checks) {
        if (check.Level == CheckLevel::Warn) {
            const Row row = rowOf(check);
            lines += prefix + "warn " + row[1] + ": " + row[2] +
                     (row[3].empty() ? "" : "; fix: " + row[3]) + "\n";
        }
    }
    return lines;
}
