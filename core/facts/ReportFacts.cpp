#include "facts/ReportFacts.h"

#include <cstdio>

namespace {

using nlohmann::json;

const std::string kUnknown = "unknown";

// The value at a path of keys, or null when one is missing.
const json& at(const json& object, std::initializer_list<const char*> path) {
    static const json null;
    const json* value = &object;
    for (const char* key : path) {
        if (!value->is_object() || !value->contains(key)) {
            return null;
        }
        value = &(*value)[key];
    }
    return *value;
}

std::string text(const json& value, const std::string& fallback = kUnknown) {
    if (value.is_string() && !value.get<std::string>().empty()) {
        return value.get<std::string>();
    }
    if (value.is_number_integer()) {
        return std::to_string(value.get<long long>());
    }
    return fallback;
}

std::string counted(const json& value, const char* word) {
    if (!value.is_number_integer()) {
        return kUnknown + " " + word + "s";
    }
    const long long count = value.get<long long>();
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Bytes in the largest binary unit that divides them, as "48 KiB".
std::string sizeText(std::uint64_t bytes) {
    const char* units[] = {"bytes", "KiB", "MiB", "GiB", "TiB"};
    int unit = 0;
    while (unit < 4 && bytes >= 1024 && bytes % 1024 == 0) {
        bytes /= 1024;
        ++unit;
    }
    return std::to_string(bytes) + " " + units[unit];
}

std::string gibibytes(const json& bytes) {
    if (!bytes.is_number_integer()) {
        return kUnknown;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", bytes.get<double>() / (1024.0 * 1024.0 * 1024.0));
    return text;
}

std::string megahertz(const json& value) {
    return value.is_number_integer() ? std::to_string(value.get<long long>()) + " MHz" : kUnknown;
}

// Groups of alike caches, as "2 MiB × 2 (1 core, 1 thread each)".
std::string caches(const json& groups) {
    if (!groups.is_array()) {
        return kUnknown;
    }
    std::string result;
    for (const json& group : groups) {
        const json& size = at(group, {"size_bytes"});
        const json& instances = at(group, {"instances"});
        if (!size.is_number_integer() || size.get<long long>() < 0 ||
            !instances.is_number_integer()) {
            continue;
        }
        result += (result.empty() ? "" : "; ") +
                  sizeText(static_cast<std::uint64_t>(size.get<long long>())) + " × " +
                  std::to_string(instances.get<long long>()) + " (" +
                  counted(at(group, {"cores_each"}), "core") + ", " +
                  counted(at(group, {"threads_each"}), "thread") + " each)";
    }
    return result.empty() ? kUnknown : result;
}

std::string topology(const json& processor) {
    return counted(at(processor, {"sockets"}), "socket") + ", " +
           counted(at(processor, {"cores"}), "core") + ", " +
           counted(at(processor, {"threads"}), "thread");
}

std::string identification(const json& processor) {
    return "family " + text(at(processor, {"family"})) + ", model " +
           text(at(processor, {"model"})) + ", stepping " + text(at(processor, {"stepping"}));
}

// The kinds of a hybrid processor, as "performance: 0-15 (8 cores, 16 threads)".
std::string coreKinds(const json& kinds) {
    if (!kinds.is_array()) {
        return kUnknown;
    }
    std::string result;
    for (const json& kind : kinds) {
        result += (result.empty() ? "" : "; ") + text(at(kind, {"kind"}), "unranked") + ": " +
                  text(at(kind, {"cpus"})) + " (" + counted(at(kind, {"cores"}), "core") + ", " +
                  counted(at(kind, {"threads"}), "thread") + ")";
    }
    return result.empty() ? "one kind" : result;
}

// The names of the extensions the machine has, in the object's order.
std::string extensions(const json& all) {
    if (!all.is_object()) {
        return kUnknown;
    }
    std::string result;
    for (const auto& [name, present] : all.items()) {
        if (present.is_boolean() && present.get<bool>()) {
            result += (result.empty() ? "" : " ") + name;
        }
    }
    return result.empty() ? "none" : result;
}

std::string words(const json& list) {
    std::string result;
    if (list.is_array()) {
        for (const json& word : list) {
            if (word.is_string()) {
                result += (result.empty() ? "" : ", ") + word.get<std::string>();
            }
        }
    }
    return result.empty() ? kUnknown : result;
}

// A fact that facts of version 2 give as null where none was found, and
// earlier ones do not give at all.
std::string found(const json& system, const char* key) {
    return system.is_object() && system.contains(key) ? text(system[key], "none found") : kUnknown;
}

std::string kernel(const json& system) {
    const json& name = at(system, {"kernel"});
    const json& release = at(system, {"kernel_release"});
    if (!name.is_string()) {
        return kUnknown;
    }
    return text(name) + (release.is_string() ? " " + text(release) : "");
}

} // namespace

std::vector<FactGroup> ReportFacts(const json& info, const MachineIdentity& machine) {
    const json& processor = at(info, {"processor"});
    const json& system = at(info, {"system"});
    const std::string level = text(at(processor, {"x86_64_level"}));
    return {
        {"Processor",
         {{"Brand", text(at(processor, {"brand"}),
                         machine.Processor.empty() ? kUnknown : machine.Processor)},
          {"Vendor", text(at(processor, {"vendor"}))},
          {"Architecture", text(at(processor, {"architecture"}))},
          {"Identification", identification(processor)},
          {"x86-64 level", level == kUnknown ? level : "x86-64-v" + level},
          {"Topology", topology(processor)},
          {"Core kinds", coreKinds(at(processor, {"core_kinds"}))},
          {"Extensions", extensions(at(info, {"extensions"}))}}},
        {"Caches",
         {{"L1 data", caches(at(info, {"caches", "l1d"}))},
          {"L1 instruction", caches(at(info, {"caches", "l1i"}))},
          {"L2", caches(at(info, {"caches", "l2"}))},
          {"L3", caches(at(info, {"caches", "l3"}))}}},
        {"Clock and memory",
         {{"Base clock", megahertz(at(info, {"clock_mhz", "base"}))},
          {"Maximum clock", megahertz(at(info, {"clock_mhz", "max"}))},
          {"Current clock", megahertz(at(info, {"clock_mhz", "current"}))},
          {"Frequency governor", words(at(system, {"frequency_governors"}))},
          {"Memory", gibibytes(at(info, {"memory", "total_bytes"}))}}},
        {"System",
         {{"Host name",
           text(at(system, {"hostname"}), machine.HostName.empty() ? kUnknown : machine.HostName)},
          {"Machine name", machine.Name.empty() ? kUnknown : machine.Name},
          {"Distribution", text(at(system, {"distribution"}))},
          {"Hypervisor", found(system, "hypervisor")},
          {"Container", found(system, "container")},
          {"Kernel", kernel(system)},
          {"Machine identifier", machine.Id.empty() ? kUnknown : machine.Id}}},
    };
}
