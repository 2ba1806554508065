#pragma once

#include <algorithm>
#include <cstdint>

namespace He3 {

// Positions between two progress reports in the checksum passes.
inline constexpr std::int64_t kChecksumReportStep = 10000;

// XOR of bytes 0 to count - 1, calling report(i) after byte i at every i that
// is a multiple of kChecksumReportStep. The bytes between two reports are
// folded in a loop of their own, which the compiler can vectorize.
template <class Report>
std::uint8_t Checksum(const std::uint8_t* bytes, std::int32_t count, Report&& report) {
    std::uint8_t X = 0;
    for (std::int64_t i = 0; i < count; i += kChecksumReportStep) {
        X ^= bytes[i];
        report(i);
        const std::int64_t stop = std::min<std::int64_t>(count, i + kChecksumReportStep);
        for (std::int64_t j = i + 1; j < stop; ++j) {
            X ^= bytes[j];
        }
    }
    return X;
}

} // namespace He3
