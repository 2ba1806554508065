#include "facts/CpuTopology.h"

#include <cstdlib>
#include <functional>
#include <hwloc.h>
#include <memory>

namespace {

using Topology = std::unique_ptr<hwloc_topology, decltype(&hwloc_topology_destroy)>;

unsigned CountInside(hwloc_topology_t topology, hwloc_const_cpuset_t set, hwloc_obj_type_t type) {
    const int count = hwloc_get_nbobjs_inside_cpuset_by_type(topology, set, type);
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

std::optional<unsigned> CountOf(hwloc_topology_t topology, hwloc_obj_type_t type) {
    const int count = hwloc_get_nbobjs_by_type(topology, type);
    return count > 0 ? std::optional<unsigned>(static_cast<unsigned>(count)) : std::nullopt;
}

std::string CpuList(hwloc_const_bitmap_t set) {
    char* text = nullptr;
    if (hwloc_bitmap_list_asprintf(&text, set) < 0 || text == nullptr) {
        return {};
    }
    std::string list(text);
    std::free(text);
    return list;
}

std::optional<std::string> KindName(int efficiency, int kinds) {
    if (efficiency < 0) {
        return std::nullopt;
    }
    if (efficiency == kinds - 1) {
        return "performance";
    }
    return efficiency == 0 ? "efficiency" : "intermediate";
}

std::vector<CoreKind> CoreKinds(hwloc_topology_t topology) {
    const int kinds = hwloc_cpukinds_get_nr(topology, 0);
    std::vector<CoreKind> result;
    if (kinds < 2) {
        return result;
    }
    hwloc_bitmap_t set = hwloc_bitmap_alloc();
    // hwloc lists the least performant kind first.
    for (int index = kinds - 1; index >= 0; --index) {
        int efficiency = -1;
        unsigned infoCount = 0;
        hwloc_info_s* infos = nullptr;
        if (hwloc_cpukinds_get_info(topology, static_cast<unsigned>(index), set, &efficiency,
                                    &infoCount, &infos, 0) != 0) {
            continue;
        }
        CoreKind kind;
        kind.Kind = KindName(efficiency, kinds);
        for (unsigned i = 0; i < infoCount; ++i) {
            if (std::string(infos[i].name) == "CoreType") {
                kind.CoreType = infos[i].value;
            }
        }
        kind.Cpus = CpuList(set);
        kind.Cores = CountInside(topology, set, HWLOC_OBJ_CORE);
        kind.Threads = CountInside(topology, set, HWLOC_OBJ_PU);
        result.push_back(kind);
    }
    hwloc_bitmap_free(set);
    return result;
}

// The caches of one type, alike ones counted together.
std::vector<CacheGroup> Caches(hwloc_topology_t topology, hwloc_obj_type_t type) {
    std::vector<CacheGroup> groups;
    for (hwloc_obj_t cache = hwloc_get_next_obj_by_type(topology, type, nullptr); cache != nullptr;
         cache = hwloc_get_next_obj_by_type(topology, type, cache)) {
        // A tree without sizes gives caches of none: unknown, not empty.
        if (cache->attr->cache.size == 0) {
            continue;
        }
        const CacheGroup instance{cache->attr->cache.size, 1,
                                  CountInside(topology, cache->cpuset, HWLOC_OBJ_CORE),
                                  CountInside(topology, cache->cpuset, HWLOC_OBJ_PU)};
        auto group = groups.begin();
        while (group != groups.end() &&
               (group->SizeBytes != instance.SizeBytes || group->CoresEach != instance.CoresEach ||
                group->ThreadsEach != instance.ThreadsEach)) {
            ++group;
        }
        if (group == groups.end()) {
            groups.push_back(instance);
        } else {
            ++group->Instances;
        }
    }
    return groups;
}

std::optional<CpuTopology> Load(const std::function<int(hwloc_topology_t)>& configure) {
    hwloc_topology_t raw = nullptr;
    if (hwloc_topology_init(&raw) != 0) {
        return std::nullopt;
    }
    const Topology topology(raw, &hwloc_topology_destroy);
    // hwloc leaves instruction caches out unless asked for them.
    if (hwloc_topology_set_icache_types_filter(raw, HWLOC_TYPE_FILTER_KEEP_ALL) != 0 ||
        configure(raw) != 0 || hwloc_topology_load(raw) != 0) {
        return std::nullopt;
    }
    CpuTopology result;
    result.Sockets = CountOf(raw, HWLOC_OBJ_PACKAGE);
    result.Cores = CountOf(raw, HWLOC_OBJ_CORE);
    result.Threads = CountOf(raw, HWLOC_OBJ_PU);
    result.CoreKinds = CoreKinds(raw);
    result.L1d = Caches(raw, HWLOC_OBJ_L1CACHE);
    result.L1i = Caches(raw, HWLOC_OBJ_L1ICACHE);
    result.L2 = Caches(raw, HWLOC_OBJ_L2CACHE);
    result.L3 = Caches(raw, HWLOC_OBJ_L3CACHE);
    return result;
}

} // namespace

std::optional<CpuTopology> MachineCpuTopology() {
    return Load([](hwloc_topology_t topology) {
        return hwloc_topology_set_flags(topology, HWLOC_TOPOLOGY_FLAG_INCLUDE_DISALLOWED);
    });
}

std::optional<CpuTopology> CpuTopologyFromTree(const std::string& root) {
    const char* const kFsRoot = "HWLOC_FSROOT";
    const char* earlier = std::getenv(kFsRoot);
    const std::optional<std::string> saved =
        earlier ? std::optional<std::string>(earlier) : std::nullopt;
    ::setenv(kFsRoot, root.c_str(), 1);
    std::optional<CpuTopology> topology = Load([](hwloc_topology_t raw) {
#if defined(__x86_64__) || defined(__i386__)
        // hwloc has its x86 component on x86 only; it would add this machine's CPUID.
        return hwloc_topology_set_flags(raw, HWLOC_TOPOLOGY_FLAG_INCLUDE_DISALLOWED) != 0
                   ? -1
                   : hwloc_topology_set_components(raw, HWLOC_TOPOLOGY_COMPONENTS_FLAG_BLACKLIST,
                                                   "x86");
#else
        return hwloc_topology_set_flags(raw, HWLOC_TOPOLOGY_FLAG_INCLUDE_DISALLOWED);
#endif
    });
    if (saved) {
        ::setenv(kFsRoot, saved->c_str(), 1);
    } else {
        ::unsetenv(kFsRoot);
    }
    return topology;
}

std::optional<CpuTopology> CpuTopologyFromXml(const std::string& xml) {
    return Load([&xml](hwloc_topology_t topology) {
        // The length counts the closing NUL, as hwloc's own XML export does.
        return hwloc_topology_set_xmlbuffer(topology, xml.c_str(),
                                            static_cast<int>(xml.size() + 1));
    });
}

std::optional<CpuTopology> CpuTopologyFromSynthetic(const std::string& description) {
    return Load([&description](hwloc_topology_t topology) {
        return hwloc_topology_set_synthetic(topology, description.c_str());
    });
}
