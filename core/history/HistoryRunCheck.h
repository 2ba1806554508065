#pragma once

#include "history/HistoryJson.h"

#include <cstddef>
#include <string>

// Bounds on what a file may bring into the history, each with room to
// spare over what the program itself writes.
namespace ImportLimits {
// Host names are at most 253 bytes; ids, processor names much less.
inline constexpr std::size_t kNameBytes = 256;
// 2026-12-09T10:15:00.123456789+01:00 is 35 bytes.
inline constexpr std::size_t kTimeBytes = 64;
// Versions are as 1.0.320.
inline constexpr std::size_t kVersionBytes = 32;
// A machine's facts as this program writes them take about 6 KiB.
inline constexpr std::size_t kInfoBytes = 64 * 1024;
// No pass of the workload takes a day.
inline constexpr double kPassSecondsMax = 86400.0;
// Copies at once: one per logical processor of the largest machines.
inline constexpr int kCopiesMax = 4096;
// The checks before a run: a dozen of a line or two each.
inline constexpr std::size_t kChecksMax = 64;
inline constexpr std::size_t kCheckBytes = 4096;
} // namespace ImportLimits

// Refuses a document that the history must not take: a run without a UUID
// as its id, without exactly 50 + 51 finite pass times each above 0 and at
// most a day, whose Time Summa is not the sum of its first 100 passes or
// whose score is not the one the program gives that Time Summa, with a time
// that is not valid RFC 3339, with copies outside 1 to 4096, with a wall
// time that is negative or beyond 101 days, or with a text, checks or a
// machine's facts beyond the limits above. Raises a QuelError naming
// the file, the run or machine and the field.
void CheckImportedDocument(const HistoryDocument& document, const std::string& path);
