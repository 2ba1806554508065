#include "facts/NumaNodes.h"

#include "platform/SystemFile.h"

#include <algorithm>
#include <filesystem>

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
        const auto cpus = SystemFile::Line(root, "/sys/devices/system/node/" + name + "/cpulist");
        nodes.push_back({std::stoi(name.substr(4)), cpus.value_or("")});
    }
    std::sort(nodes.begin(), nodes.end(),
              [](const NumaNode& a, const NumaNode& b) { return a.Node < b.Node; });
    return nodes;
}
