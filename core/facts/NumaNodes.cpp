#include "facts/NumaNodes.h"

#include "platform/SystemFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <vector>

namespace {

// The kernel's processor mask ("00000000,0000ffff": 32-bit words in
// hexadecimal, the highest first) as a list such as "0-15"; empty for
// anything else, or for more words than 8,192 processors need.
std::string listOfMask(const std::string& mask) {
    std::vector<std::uint32_t> words;
    std::istringstream parts(mask);
    for (std::string word; std::getline(parts, word, ',');) {
        if (word.empty() || word.size() > 8 || words.size() >= 256 ||
            word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            return {};
        }
        words.push_back(static_cast<std::uint32_t>(std::stoul(word, nullptr, 16)));
    }
    std::reverse(words.begin(), words.end());
    std::string list;
    const unsigned bits = static_cast<unsigned>(words.size()) * 32;
    const auto set = [&words](unsigned cpu) { return (words[cpu / 32] >> (cpu % 32) & 1u) != 0; };
    for (unsigned cpu = 0; cpu < bits; ++cpu) {
        if (!set(cpu)) {
            continue;
        }
        unsigned last = cpu;
        while (last + 1 < bits && set(last + 1)) {
            ++last;
        }
        list += (list.empty() ? "" : ",") + std::to_string(cpu) +
                (last > cpu ? "-" + std::to_string(last) : std::string());
        cpu = last;
    }
    return list;
}

} // namespace

std::vector<NumaNode> ReadNumaNodes(const std::string& root) {
    const std::string folder = root + "/sys/devices/system/node";
    std::vector<NumaNode> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 4 || name.rfind("node", 0) != 0 ||
            name.find_first_not_of("0123456789", 4) != std::string::npos || name.size() > 9) {
            continue;
        }
        const std::string node = "/sys/devices/system/node/" + name;
        std::optional<std::string> cpus = SystemFile::Line(root, node + "/cpulist");
        // Copies of older machines' trees may keep only the mask.
        if (!cpus) {
            cpus = listOfMask(SystemFile::Line(root, node + "/cpumap").value_or(""));
        }
        nodes.push_back({std::stoi(name.substr(4)), cpus.value_or("")});
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const NumaNode& a, const NumaNode& b) { return a.Node < b.Node; });
    return nodes;
}
