#include "preflight/CpuQuotaCheck.h"

#include "platform/SystemFile.h"

#include <cstdio>
#include <optional>
#include <sstream>
#include <vector>

namespace {

const std::string kCgroups = "/sys/fs/cgroup";

// A limit found in a group's folder: its processors, the file and its text.
struct Quota {
    double Processors;
    std::string File;
    std::string Setting;
    std::string Unlimited;
};

// The folder of the group and of each group above it, innermost first.
std::vector<std::string> groupAndParents(std::string group) {
    std::vector<std::string> folders;
    while (!group.empty() && group != "/") {
        folders.push_back(group);
        group.erase(group.rfind('/'));
    }
    folders.push_back("");
    return folders;
}

std::optional<Quota> v2Quota(const std::string& root, const std::string& group) {
    for (const std::string& folder : groupAndParents(group)) {
        const std::string file = kCgroups + folder + "/cpu.max";
        const auto line = SystemFile::Line(root, file);
        long long quota = 0;
        long long period = 0;
        if (line && std::sscanf(line->c_str(), "%lld %lld", &quota, &period) == 2 && period > 0) {
            return Quota{static_cast<double>(quota) / static_cast<double>(period), file, *line,
                         "max"};
        }
    }
    return std::nullopt;
}

std::optional<Quota> v1Quota(const std::string& root, const std::string& mount,
                             const std::string& group) {
    for (const std::string& folder : groupAndParents(group)) {
        const std::string base = kCgroups + "/" + mount + folder;
        const auto line = SystemFile::Line(root, base + "/cpu.cfs_quota_us");
        const auto period = SystemFile::Number(root, base + "/cpu.cfs_period_us");
        long long quota = -1;
        // A quota of -1 is none.
        if (line && period && *period > 0 && std::sscanf(line->c_str(), "%lld", &quota) == 1 &&
            quota > 0) {
            return Quota{static_cast<double>(quota) / static_cast<double>(*period),
                         base + "/cpu.cfs_quota_us", *line + " of " + std::to_string(*period),
                         "-1"};
        }
    }
    return std::nullopt;
}

} // namespace

PreflightCheck CpuQuotaCheck(const std::string& root) {
    PreflightCheck check;
    check.Name = "cpu-quota";
    const auto groups = SystemFile::Text(root, "/proc/self/cgroup");
    if (!groups) {
        check.Found = "not available here (no /proc/self/cgroup)";
        return check;
    }
    // Each line is "id:controllers:path"; v2's one group is "0::path".
    std::optional<Quota> quota;
    bool known = false;
    std::istringstream lines(*groups);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string group = line.substr(second + 1);
        std::istringstream names(controllers);
        bool cpu = false;
        for (std::string name; std::getline(names, name, ',');) {
            cpu = cpu || name == "cpu";
        }
        if (controllers.empty()) {
            known = true;
            quota = v2Quota(root, group);
        } else if (cpu) {
            known = true;
            quota = v1Quota(root, controllers, group);
            if (!quota) {
                quota = v1Quota(root, "cpu", group);
            }
        }
        if (quota) {
            break;
        }
    }
    if (!known) {
        check.Found = "not available here (no cgroup with the cpu controller)";
    } else if (!quota) {
        check.Found = "no processor quota";
    } else {
        char found[64];
        std::snprintf(found, sizeof found, "may use %.2f processors", quota->Processors);
        check.Level = CheckLevel::Warn;
        check.Found = found + (" (" + quota->File + ": " + quota->Setting + ")");
        check.Fix = "echo " + quota->Unlimited + " | sudo tee " + quota->File;
    }
    return check;
}
