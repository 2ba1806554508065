#include "quelcore/CpuInfoText.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<std::string> CpuInfoField(const std::string& cpuinfo, const std::string& key) {
    std::istringstream lines(cpuinfo);
    std::string line;
    bool seenField = false;
    while (std::getline(lines, line)) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            // A blank line ends the first processor's block.
            if (seenField && Trim(line).empty()) {
                break;
            }
            continue;
        }
        seenField = true;
        if (Trim(line.substr(0, colon)) == key) {
            return Trim(line.substr(colon + 1));
        }
    }
    return std::nullopt;
}

std::optional<long long> CpuInfoNumber(const std::string& cpuinfo, const std::string& key) {
    const auto text = CpuInfoField(cpuinfo, key);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const bool hex =
        text->size() > 2 && (*text)[0] == '0' && ((*text)[1] == 'x' || (*text)[1] == 'X');
    const long long value = std::strtoll(text->c_str(), &end, hex ? 16 : 10);
    if (errno != 0 || end == text->c_str()) {
        return std::nullopt;
    }
    return value;
}

bool CpuInfoHasWord(const std::string& words, const char* word) {
    std::istringstream stream(words);
    for (std::string each; stream >> each;) {
        if (each == word) {
            return true;
        }
    }
    return false;
}
