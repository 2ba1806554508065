#include "platform/MemoryStatus.h"

#include <cmath>
#include <limits>
#include <optional>
#include <sstream>

namespace {

// A "Name:   1234 kB" line's figure in bytes.
std::optional<std::uint64_t> FieldBytes(const std::string& meminfo, const std::string& name) {
    std::istringstream lines(meminfo);
    std::string line;
    const std::string key = name + ":";
    while (std::getline(lines, line)) {
        if (line.compare(0, key.size(), key) != 0) {
            continue;
        }
        std::istringstream fields(line.substr(key.size()));
        std::uint64_t kilobytes = 0;
        if (!(fields >> kilobytes)) {
            return std::nullopt;
        }
        if (kilobytes > std::numeric_limits<std::uint64_t>::max() / 1024) {
            return std::numeric_limits<std::uint64_t>::max();
        }
        return kilobytes * 1024;
    }
    return std::nullopt;
}

} // namespace

void ParseMemInfo(const std::string& meminfo, MEMORYSTATUS& status) {
    const std::uint64_t total = FieldBytes(meminfo, "MemTotal").value_or(0);
    auto available = FieldBytes(meminfo, "MemAvailable");
    if (!available) {
        available = FieldBytes(meminfo, "MemFree");
    }
    status.ullTotalPhys = total;
    status.ullAvailPhys = available.value_or(0) < total ? available.value_or(0) : total;
    status.dwMemoryLoad =
        total == 0 ? 0
                   : static_cast<std::uint32_t>(
                         std::lround(100.0 * static_cast<double>(total - status.ullAvailPhys) /
                                     static_cast<double>(total)));
}
