#include "run/RunRecord.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>

std::vector<double> RunRecord::CompressionTimes() const {
    const std::size_t end = std::min(PassTimes.size(), PassCounts::kCompressions);
    return std::vector<double>(PassTimes.begin(), PassTimes.begin() + end);
}

std::vector<double> RunRecord::DecompressionTimes() const {
    if (PassTimes.size() <= PassCounts::kCompressions) {
        return {};
    }
    return std::vector<double>(PassTimes.begin() + PassCounts::kCompressions, PassTimes.end());
}

std::string RunRecord::NewId() {
    // A version 4 UUID from the system's random source.
    std::random_device source;
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        const std::uint32_t word = source();
        for (std::size_t j = 0; j < 4; ++j) {
            bytes[i + j] = static_cast<std::uint8_t>(word >> (8 * j));
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    std::string id;
    char hex[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            id += '-';
        }
        std::snprintf(hex, sizeof hex, "%02x", bytes[i]);
        id += hex;
    }
    return id;
}

std::string RunRecord::Now() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}
