#include "platform/CpuList.h"

#include "platform/QuelError.h"

#include <charconv>

namespace {

// Larger than any processor number a kernel gives (its CPU_SETSIZE limits).
constexpr int kMaxCpu = 1 << 20;

int number(const std::string& text, const std::string& list) {
    int value = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > kMaxCpu) {
        throw QuelError(QuelError::kOwnError, "ParseCpuList",
                        "not a processor list: \"" + list + "\"");
    }
    return value;
}

} // namespace

std::vector<int> ParseCpuList(const std::string& text) {
    std::vector<int> cpus;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            comma = text.size();
        }
        const std::string item = text.substr(start, comma - start);
        const std::size_t dash = item.find('-');
        const int first = number(item.substr(0, dash), text);
        const int last = dash == std::string::npos ? first : number(item.substr(dash + 1), text);
        if (last < first) {
            throw QuelError(QuelError::kOwnError, "ParseCpuList",
                            "not a processor list: \"" + text + "\"");
        }
        for (int cpu = first; cpu <= last; ++cpu) {
            cpus.push_back(cpu);
        }
        start = comma + 1;
    }
    return cpus;
}
