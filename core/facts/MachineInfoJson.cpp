#include "facts/MachineInfoJson.h"

#include "facts/FeatureList.h"
#include "facts/MachineInfo.h"
#include "facts/Utf8Text.h"

namespace {

using nlohmann::json;

template <typename T> json OrNull(const std::optional<T>& value) {
    return value ? json(*value) : json(nullptr);
}

json TextOrNull(const std::optional<std::string>& text) {
    return text ? json(Utf8Text(*text)) : json(nullptr);
}

json Window(const MachineInfo& info) {
    const ProcessorTexts& texts = info.Window;
    const StatusTexts& status = info.StatusText;
    json features = json::array();
    for (std::size_t entry = 0; entry < kFeatureEntries.size(); ++entry) {
        features.push_back(
            {{"name", Utf8Text(kFeatureEntries[entry].Text)},
             {"present", info.FeatureMarksKnown ? json(texts.Features[entry]) : json(nullptr)}});
    }
    return {{"title", Utf8Text(info.ProgramVersion)},
            {"user_name", Utf8Text(status.UserName)},
            {"up_time", Utf8Text(status.UpTime)},
            {"cpu_name", Utf8Text(texts.Name)},
            {"speed", Utf8Text(texts.Speed)},
            {"type", Utf8Text(texts.Type)},
            {"family", Utf8Text(texts.Family)},
            {"model", Utf8Text(texts.Model)},
            {"stepping", Utf8Text(texts.Stepping)},
            {"l1_instruction_cache", Utf8Text(texts.InstructionCache)},
            {"l1_data_cache", Utf8Text(texts.DataCache)},
            {"l2_cache", Utf8Text(texts.Level2Cache)},
            {"cpu_usage", Utf8Text(status.ProcessorLoad)},
            {"total_ram", Utf8Text(status.TotalRam)},
            {"available_ram", Utf8Text(status.AvailableRam)},
            {"used_ram", Utf8Text(status.UsedRam)},
            {"features", features}};
}

json CoreKinds(const std::vector<CoreKind>& kinds) {
    json list = json::array();
    for (const CoreKind& kind : kinds) {
        list.push_back({{"kind", OrNull(kind.Kind)},
                        {"core_type", TextOrNull(kind.CoreType)},
                        {"cpus", kind.Cpus},
                        {"cores", kind.Cores},
                        {"threads", kind.Threads}});
    }
    return list;
}

json NumaNodes(const std::vector<NumaNode>& nodes) {
    if (nodes.empty()) {
        return nullptr;
    }
    json list = json::array();
    for (const NumaNode& node : nodes) {
        list.push_back({{"node", node.Node}, {"cpus", node.Cpus}});
    }
    return list;
}

json Arm(const std::optional<ArmProcessor>& arm) {
    if (!arm) {
        return nullptr;
    }
    json kinds = json::array();
    for (const ArmCoreKind& kind : arm->Kinds) {
        kinds.push_back({{"name", Utf8Text(kind.Name)},
                         {"implementer", kind.Register.Implementer},
                         {"variant", kind.Register.Variant},
                         {"part", kind.Register.Part},
                         {"revision", kind.Register.Revision},
                         {"stepping", kind.Stepping},
                         {"cpus", kind.Cpus},
                         {"cores", kind.Cores},
                         {"capacity", OrNull(kind.Capacity)},
                         {"max_mhz", OrNull(kind.MaxMHz)}});
    }
    json features = nullptr;
    if (arm->Features) {
        features = json::array();
        for (const std::string& feature : *arm->Features) {
            features.push_back(Utf8Text(feature));
        }
    }
    return {{"vendor", Utf8Text(arm->Vendor)}, {"kinds", kinds}, {"features", features}};
}

json Processor(const MachineInfo& info) {
    const CpuIdentity& id = info.Identity;
    const std::optional<CpuTopology>& topology = info.Topology;
    const auto count = [&topology](std::optional<unsigned> CpuTopology::*member) {
        return topology ? OrNull((*topology).*member) : json(nullptr);
    };
    return {{"architecture", info.Kernel ? json(Utf8Text(info.Kernel->Machine)) : json(nullptr)},
            {"vendor", TextOrNull(id.Vendor)},
            {"brand", TextOrNull(id.Brand)},
            {"family", OrNull(id.Family)},
            {"model", OrNull(id.Model)},
            {"stepping", OrNull(id.Stepping)},
            {"x86_64_level", OrNull(info.X86_64Level)},
            {"sockets", count(&CpuTopology::Sockets)},
            {"cores", count(&CpuTopology::Cores)},
            {"threads", count(&CpuTopology::Threads)},
            {"core_kinds", topology ? CoreKinds(topology->CoreKinds) : json(nullptr)},
            {"address_bits", info.PhysicalAddressBits
                                 ? json{{"physical", *info.PhysicalAddressBits},
                                        {"virtual", OrNull(info.VirtualAddressBits)}}
                                 : json(nullptr)},
            {"numa_nodes", NumaNodes(info.NumaNodes)},
            {"arm", Arm(info.Arm)}};
}

json CacheLevel(const std::vector<CacheGroup>& groups) {
    if (groups.empty()) {
        return nullptr;
    }
    json list = json::array();
    for (const CacheGroup& group : groups) {
        list.push_back({{"size_bytes", group.SizeBytes},
                        {"instances", group.Instances},
                        {"cores_each", group.CoresEach},
                        {"threads_each", group.ThreadsEach}});
    }
    return list;
}

json Caches(const std::optional<CpuTopology>& topology) {
    if (!topology) {
        return nullptr;
    }
    return {{"l1d", CacheLevel(topology->L1d)},
            {"l1i", CacheLevel(topology->L1i)},
            {"l2", CacheLevel(topology->L2)},
            {"l3", CacheLevel(topology->L3)}};
}

json Extensions(const MachineInfo& info) {
    if (!info.Extensions) {
        return nullptr;
    }
    json marks = json::object();
    for (const Extension& extension : *info.Extensions) {
        marks[extension.Name] = extension.Present;
    }
    for (const std::string& name : info.UnknownExtensions) {
        marks[name] = nullptr;
    }
    return marks;
}

json Source(const MachineInfo& info) {
    if (!info.LoadedFrom) {
        return {{"kind", "live"}, {"bundle", nullptr}, {"extensions_of_processor_only", false}};
    }
    return {{"kind", "bundle"},
            {"bundle", Utf8Text(*info.LoadedFrom)},
            {"extensions_of_processor_only", info.ExtensionsOfProcessorOnly}};
}

json Memory(const MEMORYSTATUS& memory, bool live) {
    // /proc/meminfo without a total leaves every figure unknown; a loaded
    // machine's available memory is a figure of the moment it was saved.
    if (memory.ullTotalPhys == 0) {
        return {{"total_bytes", nullptr}, {"available_bytes", nullptr}, {"used_percent", nullptr}};
    }
    if (!live) {
        return {{"total_bytes", memory.ullTotalPhys},
                {"available_bytes", nullptr},
                {"used_percent", nullptr}};
    }
    return {{"total_bytes", memory.ullTotalPhys},
            {"available_bytes", memory.ullAvailPhys},
            {"used_percent", memory.dwMemoryLoad}};
}

json System(const MachineInfo& info) {
    const std::optional<KernelName>& kernel = info.Kernel;
    const auto part = [&kernel](std::string KernelName::*member) {
        return kernel ? json(Utf8Text((*kernel).*member)) : json(nullptr);
    };
    json governors = json::array();
    for (const std::string& governor : info.Clock.Governors) {
        governors.push_back(Utf8Text(governor));
    }
    const bool live = !info.LoadedFrom;
    return {{"kernel", part(&KernelName::System)},
            {"kernel_release", part(&KernelName::Release)},
            {"kernel_version", part(&KernelName::Version)},
            {"distribution", TextOrNull(info.Distribution)},
            {"hostname",
             kernel && !kernel->HostName.empty() ? part(&KernelName::HostName) : json(nullptr)},
            {"user",
             info.Status.UserName.empty() ? json(nullptr) : json(Utf8Text(info.Status.UserName))},
            {"up_time_seconds", live ? json(info.Status.UpTimeMilliseconds / 1000) : json(nullptr)},
            {"hypervisor", TextOrNull(info.Virtual.Hypervisor)},
            {"container", live ? TextOrNull(info.Virtual.Container) : json(nullptr)},
            {"frequency_governors", governors.empty() ? json(nullptr) : governors}};
}

} // namespace

nlohmann::json MachineInfoJson(const MachineInfo& info) {
    return {{"schema", kInfoSchema},
            {"source", Source(info)},
            {"window", Window(info)},
            {"processor", Processor(info)},
            {"caches", Caches(info.Topology)},
            {"clock_mhz",
             {{"base", OrNull(info.Clock.BaseMHz)},
              {"max", OrNull(info.Clock.MaxMHz)},
              {"current", OrNull(info.Clock.CurrentMHz)}}},
            {"extensions", Extensions(info)},
            {"memory", Memory(info.Status.Memory, !info.LoadedFrom)},
            {"system", System(info)},
            {"machine_id", OrNull(info.MachineId)},
            {"machine_name",
             info.MachineName.empty() ? json(nullptr) : json(Utf8Text(info.MachineName))}};
}
