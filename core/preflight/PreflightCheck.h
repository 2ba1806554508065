#pragma once

#include <string>

// How much a finding matters to a benchmark: Warn spoils a measurement now,
// Note is worth knowing about the results, Pass found nothing.
enum class CheckLevel { Pass, Note, Warn };

inline const char* LevelName(CheckLevel level) {
    switch (level) {
    case CheckLevel::Warn:
        return "warn";
    case CheckLevel::Note:
        return "note";
    case CheckLevel::Pass:
        break;
    }
    return "pass";
}

// One check of the machine before a benchmark: what it found and the command
// that would change it (empty where there is none).
struct PreflightCheck {
    std::string Name;
    CheckLevel Level = CheckLevel::Pass;
    std::string Found;
    std::string Fix;
    // Found and Fix as only this terminal is told them, with the names and ids
    // of other programs; empty where they are Found and Fix themselves. Files
    // that are shared keep Found and Fix.
    std::string FoundHere;
    std::string FixHere;
};
