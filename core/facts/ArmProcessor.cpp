#include "facts/ArmProcessor.h"

#include "platform/ProcessorFolders.h"
#include "platform/SystemFile.h"
#include "quelcore/CpuInfoIdentity.h"
#include "quelcore/CpuInfoText.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

namespace {

// Each processor's block of /proc/cpuinfo by its "processor" number.
std::map<unsigned, std::string> blocksOf(const std::string& cpuinfo) {
    std::map<unsigned, std::string> blocks;
    std::istringstream lines(cpuinfo);
    std::string block;
    const auto keep = [&blocks, &block] {
        if (const auto number = CpuInfoNumber(block, "processor"); number && *number >= 0) {
            blocks[static_cast<unsigned>(*number)] = block;
        }
        block.clear();
    };
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            keep();
        } else {
            block += line + '\n';
        }
    }
    keep();
    return blocks;
}

std::optional<Midr> registerOf(const std::string& root, const std::string& folder,
                               const std::string& block) {
    if (const auto text = SystemFile::Line(root, folder + "/regs/identification/midr_el1")) {
        if (const auto value = ParseMidr(*text)) {
            return DecodeMidr(*value);
        }
    }
    return MidrOfCpuinfo(block);
}

std::tuple<unsigned, unsigned, unsigned, unsigned> keyOf(const Midr& midr) {
    return {midr.Implementer, midr.Part, midr.Variant, midr.Revision};
}

// "0-2,5" for processors 0, 1, 2 and 5, given in rising order.
std::string listOf(const std::vector<unsigned>& cpus) {
    std::string list;
    for (std::size_t first = 0; first < cpus.size();) {
        std::size_t last = first;
        while (last + 1 < cpus.size() && cpus[last + 1] == cpus[last] + 1) {
            ++last;
        }
        list += (list.empty() ? "" : ",") + std::to_string(cpus[first]) +
                (last > first ? "-" + std::to_string(cpus[last]) : std::string());
        first = last + 1;
    }
    return list;
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace

bool Is32BitArm(const std::string& cpuinfo) {
    // Any block may say it: older kernels put the processor's fields after
    // those of each processor. "CPU architecture: 7", or "5TEJ" on the oldest,
    // or a name such as "ARMv7 Processor rev 4 (v7l)".
    std::istringstream lines(cpuinfo);
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, line.find_last_not_of(" \t", colon - 1) + 1);
        const std::string value = line.substr(std::min(line.size(), colon + 2));
        if (key == "CPU architecture" && !value.empty() && value[0] >= '1' && value[0] <= '7') {
            return true;
        }
        if ((key == "Processor" || key == "model name") && value.rfind("ARMv", 0) == 0 &&
            value.size() > 4 && value[4] >= '1' && value[4] <= '7') {
            return true;
        }
    }
    return false;
}

std::optional<ArmProcessor> ReadArmProcessor(const std::string& root,
                                             std::optional<std::vector<std::string>> features) {
    const std::string cpuinfo = SystemFile::Text(root, "/proc/cpuinfo").value_or(std::string());
    const std::map<unsigned, std::string> blocks = blocksOf(cpuinfo);
    std::vector<std::pair<unsigned, std::string>> cpus; // number and sysfs folder, if any
    for (const std::string& folder : ProcessorFolders(root)) {
        cpus.emplace_back(static_cast<unsigned>(std::stoul(folder.substr(folder.rfind("cpu") + 3))),
                          folder);
    }
    if (cpus.empty()) {
        for (const auto& [number, block] : blocks) {
            cpus.emplace_back(number, std::string());
        }
    }
    ArmProcessor processor;
    std::map<std::tuple<unsigned, unsigned, unsigned, unsigned>, std::size_t> kindOf;
    std::vector<std::vector<unsigned>> members;
    for (const auto& [cpu, folder] : cpus) {
        const auto block = blocks.find(cpu);
        const std::optional<Midr> midr =
            registerOf(root, folder.empty() ? "/nonexistent" : folder,
                       block == blocks.end() ? std::string() : block->second);
        if (!midr) {
            continue;
        }
        auto [found, added] = kindOf.emplace(keyOf(*midr), processor.Kinds.size());
        if (added) {
            processor.Kinds.push_back(
                {*midr, ArmCoreName(*midr), ArmStepping(*midr), "", 0, {}, {}});
            members.emplace_back();
        }
        ArmCoreKind& kind = processor.Kinds[found->second];
        members[found->second].push_back(cpu);
        kind.Cores = static_cast<unsigned>(members[found->second].size());
        if (!folder.empty()) {
            if (const auto capacity = SystemFile::Number(root, folder + "/cpu_capacity")) {
                kind.Capacity =
                    std::max<unsigned>(kind.Capacity.value_or(0), static_cast<unsigned>(*capacity));
            }
            if (const auto khz = SystemFile::Number(root, folder + "/cpufreq/cpuinfo_max_freq")) {
                kind.MaxMHz = std::max<std::uint32_t>(kind.MaxMHz.value_or(0),
                                                      static_cast<std::uint32_t>(*khz / 1000));
            }
        }
    }
    if (processor.Kinds.empty()) {
        return std::nullopt;
    }
    for (std::size_t kind = 0; kind < members.size(); ++kind) {
        std::sort(members[kind].begin(), members[kind].end());
        processor.Kinds[kind].Cpus = listOf(members[kind]);
    }
    std::stable_sort(processor.Kinds.begin(), processor.Kinds.end(),
                     [](const ArmCoreKind& a, const ArmCoreKind& b) {
                         return std::make_pair(a.Capacity.value_or(0), a.MaxMHz.value_or(0)) >
                                std::make_pair(b.Capacity.value_or(0), b.MaxMHz.value_or(0));
                     });
    processor.Vendor = ArmImplementerName(processor.Kinds.front().Register.Implementer);
    if (!features) {
        if (const auto line = CpuInfoField(cpuinfo, "Features")) {
            features = wordsOf(*line);
        }
    }
    processor.Features = std::move(features);
    return processor;
}
