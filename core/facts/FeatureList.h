#pragma once

#include <array>
#include <cstdint>

// One entry of the feature list: its text, the capability code asked for it,
// and whether any non-zero answer checks it (otherwise only an answer of 1).
struct FeatureEntry {
    const char* Text;
    std::int32_t Code;
    bool AnyNonZero;
};

inline constexpr std::size_t kFeatureCount = 36;

// The entries of the feature list, in list order.
extern const std::array<FeatureEntry, kFeatureCount> kFeatureEntries;

// Whether the library's answer checks the entry.
constexpr bool FeatureChecked(const FeatureEntry& entry, std::int32_t answer) {
    return entry.AnyNonZero ? answer != 0 : answer == 1;
}
