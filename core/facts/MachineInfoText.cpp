#include "facts/MachineInfoText.h"

#include "facts/FeatureList.h"
#include "facts/MachineInfo.h"
#include "facts/Utf8Text.h"

#include <algorithm>
#include <cstdio>

namespace {

struct Row {
    std::string Label; // a group's heading when Value is absent
    std::optional<std::string> Value;
};

const std::string kUnknown = "unknown";

std::string TextOr(const std::optional<std::string>& text,
                   const std::string& otherwise = kUnknown) {
    return text ? Utf8Text(*text) : otherwise;
}

template <typename T> std::string NumberOr(const std::optional<T>& value) {
    return value ? std::to_string(*value) : kUnknown;
}

std::string Plural(unsigned count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Bytes in the largest binary unit that divides them, e.g. "48 KiB".
std::string SizeText(std::uint64_t bytes) {
    const char* units[] = {"bytes", "KiB", "MiB", "GiB"};
    int unit = 0;
    while (unit < 3 && bytes >= 1024 && bytes % 1024 == 0) {
        bytes /= 1024;
        ++unit;
    }
    return std::to_string(bytes) + " " + units[unit];
}

std::string CachesText(const std::vector<CacheGroup>& groups) {
    std::string text;
    for (const CacheGroup& group : groups) {
        text += (text.empty() ? "" : "; ") + SizeText(group.SizeBytes) + " x " +
                std::to_string(group.Instances) + " (each shared by " +
                Plural(group.CoresEach, "core") + ", " + Plural(group.ThreadsEach, "thread") + ")";
    }
    return text.empty() ? kUnknown : text;
}

std::string MegahertzText(const std::optional<std::uint32_t>& megahertz) {
    return megahertz ? std::to_string(*megahertz) + " MHz" : kUnknown;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + Utf8Text(word);
    }
    return text;
}

std::string GibibytesText(std::uint64_t bytes) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%llu bytes (%.1f GiB)",
                  static_cast<unsigned long long>(bytes),
                  static_cast<double>(bytes) / (1024.0 * 1024.0 * 1024.0));
    return buffer;
}

std::string DurationText(std::uint64_t seconds) {
    return std::to_string(seconds / 3600) + " h " + std::to_string(seconds / 60 % 60) + " min " +
           std::to_string(seconds % 60) + " s";
}

void AddWindow(std::vector<Row>& rows, const MachineInfo& info) {
    const ProcessorTexts& texts = info.Window;
    const StatusTexts& status = info.StatusText;
    rows.push_back({"Information window (" + Utf8Text(info.ProgramVersion) + ")", {}});
    const std::pair<std::string, const std::string*> window[] = {
        {"Current user name", &status.UserName},
        {"Computer up-time", &status.UpTime},
        {"Processor", &texts.Name},
        {"Speed", &texts.Speed},
        {"Type", &texts.Type},
        {"CPU family", &texts.Family},
        {"CPU model", &texts.Model},
        {"Stepping", &texts.Stepping},
        {"Instruction cache", &texts.InstructionCache},
        {"Data cache", &texts.DataCache},
        {"Level 2 cache", &texts.Level2Cache},
        {"CPU usage (over " + std::to_string(kUsageInterval.count()) + " ms)",
         &status.ProcessorLoad},
        {"Total physical RAM", &status.TotalRam},
        {"Available physical RAM", &status.AvailableRam},
        {"Physical RAM usage", &status.UsedRam},
    };
    for (const auto& [label, text] : window) {
        rows.push_back({label, Utf8Text(*text)});
    }
    rows.push_back({"Basic CPU features", {}});
    for (std::size_t entry = 0; entry < kFeatureEntries.size(); ++entry) {
        rows.push_back({Utf8Text(kFeatureEntries[entry].Text), !info.FeatureMarksKnown ? kUnknown
                                                               : texts.Features[entry] ? "yes"
                                                                                       : "no"});
    }
}

void AddProcessor(std::vector<Row>& rows, const MachineInfo& info) {
    const CpuIdentity& id = info.Identity;
    const std::optional<CpuTopology>& topology = info.Topology;
    rows.push_back({"Processor", {}});
    rows.push_back({"Architecture", info.Kernel ? Utf8Text(info.Kernel->Machine) : kUnknown});
    rows.push_back({"Vendor", TextOr(id.Vendor)});
    rows.push_back({"Brand", TextOr(id.Brand)});
    rows.push_back({"Family", NumberOr(id.Family)});
    rows.push_back({"Model", NumberOr(id.Model)});
    rows.push_back({"Stepping", NumberOr(id.Stepping)});
    rows.push_back({"x86-64 level",
                    info.X86_64Level ? "x86-64-v" + std::to_string(*info.X86_64Level) : kUnknown});
    rows.push_back({"Sockets", topology ? NumberOr(topology->Sockets) : kUnknown});
    rows.push_back({"Cores", topology ? NumberOr(topology->Cores) : kUnknown});
    rows.push_back({"Threads", topology ? NumberOr(topology->Threads) : kUnknown});
    rows.push_back({"Address sizes", info.PhysicalAddressBits
                                         ? std::to_string(*info.PhysicalAddressBits) +
                                               " bits physical, " +
                                               NumberOr(info.VirtualAddressBits) + " bits virtual"
                                         : kUnknown});
    rows.push_back(
        {"NUMA nodes", info.NumaNodes.empty() ? kUnknown : std::to_string(info.NumaNodes.size())});
    for (const NumaNode& node : info.NumaNodes) {
        rows.push_back({"NUMA node" + std::to_string(node.Node) + " CPUs", node.Cpus});
    }
    if (info.Arm) {
        // The kinds that the cores' identification registers tell.
        for (const ArmCoreKind& kind : info.Arm->Kinds) {
            rows.push_back({"Cores (" + Utf8Text(kind.Name) + ", " + kind.Stepping + ")",
                            kind.Cpus + " (" + Plural(kind.Cores, "core") +
                                (kind.MaxMHz ? ", up to " + MegahertzText(kind.MaxMHz) : "") +
                                ")"});
        }
    } else if (topology) {
        for (const CoreKind& kind : topology->CoreKinds) {
            std::string label = "Cores (" + kind.Kind.value_or("unranked kind");
            label += kind.CoreType ? ", " + Utf8Text(*kind.CoreType) + ")" : ")";
            rows.push_back({label, kind.Cpus + " (" + Plural(kind.Cores, "core") + ", " +
                                       Plural(kind.Threads, "thread") + ")"});
        }
    }
}

void AddCachesAndClock(std::vector<Row>& rows, const MachineInfo& info) {
    const std::optional<CpuTopology>& topology = info.Topology;
    rows.push_back({"Caches", {}});
    const std::pair<const char*, std::vector<CacheGroup> CpuTopology::*> levels[] = {
        {"L1d", &CpuTopology::L1d},
        {"L1i", &CpuTopology::L1i},
        {"L2", &CpuTopology::L2},
        {"L3", &CpuTopology::L3}};
    for (const auto& [label, level] : levels) {
        rows.push_back({label, topology ? CachesText((*topology).*level) : kUnknown});
    }
    rows.push_back({"Clock", {}});
    rows.push_back({"Base", MegahertzText(info.Clock.BaseMHz)});
    rows.push_back({"Maximum", MegahertzText(info.Clock.MaxMHz)});
    rows.push_back({"Current (mean)", MegahertzText(info.Clock.CurrentMHz)});
    rows.push_back({"Frequency governor",
                    info.Clock.Governors.empty() ? kUnknown : Joined(info.Clock.Governors)});
}

void AddExtensions(std::vector<Row>& rows, const MachineInfo& info) {
    rows.push_back({"Instruction-set extensions", {}});
    if (info.Arm) {
        rows.push_back({"Features", info.Arm->Features ? Joined(*info.Arm->Features) : kUnknown});
        return;
    }
    // Without the operating system's choice of saved registers, what the
    // processor has is all that is known.
    const std::string label = info.ExtensionsOfProcessorOnly ? "In the processor" : "Usable";
    if (!info.Extensions) {
        rows.push_back({label, kUnknown});
        return;
    }
    std::vector<std::string> present;
    for (const Extension& extension : *info.Extensions) {
        if (extension.Present) {
            present.push_back(extension.Name);
        }
    }
    rows.push_back({label, present.empty() ? "none" : Joined(present)});
    if (!info.UnknownExtensions.empty()) {
        rows.push_back({"Unknown", Joined(info.UnknownExtensions)});
    }
}

void AddSource(std::vector<Row>& rows, const MachineInfo& info) {
    if (info.LoadedFrom) {
        rows.push_back({"Loaded from", {}});
        rows.push_back({"Bundle", Utf8Text(*info.LoadedFrom)});
        rows.push_back({"Live figures", "unknown (clock, usage, available memory, up-time, user, "
                                        "container)"});
    }
}

void AddSystem(std::vector<Row>& rows, const MachineInfo& info) {
    const MEMORYSTATUS& memory = info.Status.Memory;
    const bool knownMemory = memory.ullTotalPhys != 0;
    const bool live = !info.LoadedFrom;
    rows.push_back({"Memory", {}});
    rows.push_back({"Total", knownMemory ? GibibytesText(memory.ullTotalPhys) : kUnknown});
    rows.push_back(
        {"Available", knownMemory && live ? GibibytesText(memory.ullAvailPhys) : kUnknown});
    rows.push_back(
        {"Used", knownMemory && live ? std::to_string(memory.dwMemoryLoad) + " %" : kUnknown});
    const std::optional<KernelName>& kernel = info.Kernel;
    rows.push_back({"System", {}});
    rows.push_back(
        {"Kernel", kernel ? Utf8Text(kernel->System + " " + kernel->Release) : kUnknown});
    rows.push_back({"Distribution", TextOr(info.Distribution)});
    rows.push_back({"Hypervisor", TextOr(info.Virtual.Hypervisor, "none found")});
    rows.push_back({"Container", live ? TextOr(info.Virtual.Container, "none found") : kUnknown});
    rows.push_back(
        {"Host name", kernel && !kernel->HostName.empty() ? Utf8Text(kernel->HostName) : kUnknown});
    rows.push_back(
        {"User", info.Status.UserName.empty() ? kUnknown : Utf8Text(info.Status.UserName)});
    rows.push_back(
        {"Up-time", live ? DurationText(info.Status.UpTimeMilliseconds / 1000) : kUnknown});
    rows.push_back({"Machine ID (for results)", TextOr(info.MachineId)});
    rows.push_back({"Machine name (for results)",
                    info.MachineName.empty() ? kUnknown : Utf8Text(info.MachineName)});
}

// Characters, not bytes, so that values line up after non-ASCII labels.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    }));
}

} // namespace

std::string MachineInfoText(const MachineInfo& info) {
    std::vector<Row> rows;
    AddSource(rows, info);
    AddWindow(rows, info);
    AddProcessor(rows, info);
    AddCachesAndClock(rows, info);
    AddExtensions(rows, info);
    AddSystem(rows, info);

    const std::string indent = "  ";
    std::size_t column = 0;
    for (const Row& row : rows) {
        if (row.Value) {
            column = std::max(column, indent.size() + Width(row.Label) + 1);
        }
    }
    std::string text;
    for (const Row& row : rows) {
        if (!row.Value) {
            text += (text.empty() ? "" : "\n") + row.Label + ":\n";
            continue;
        }
        const std::size_t used = indent.size() + Width(row.Label) + 1;
        text += indent + row.Label + ":" + std::string(column - used + 2, ' ') + *row.Value + "\n";
    }
    return text;
}
