#include "facts/DumpTopology.h"

#include <algorithm>
#include <set>

namespace {

constexpr std::uint32_t kHtt = 1u << 28;             // leaf 1, EDX: leaf 1 EBX counts IDs
constexpr std::uint32_t kHybrid = 1u << 15;          // leaf 7, EDX
constexpr std::uint32_t kAuthenticAmd = 0x68747541u; // leaf 0 EBX, "Auth"
constexpr std::uint32_t kHygonGenuine = 0x6f677948u; // leaf 0 EBX, "Hygo"

// Where one logical processor sits: its APIC ID, the ID bits that number the
// threads of a core and those that number the threads of a package, and
// the counts its package reports.
struct Place {
    std::uint32_t ApicId = 0;
    unsigned ThreadBits = 0;
    unsigned PackageBits = 0;
    unsigned ThreadsPerCore = 1;
    unsigned ThreadsPerPackage = 1;
};

unsigned bitsFor(unsigned count) {
    unsigned bits = 0;
    while (bits < 31 && (1u << bits) < count) {
        ++bits;
    }
    return bits;
}

bool isAmd(const CpuidAnswers& cpu) {
    const CpuidAnswer* leaf0 = cpu.Find(0);
    return leaf0 != nullptr && ((*leaf0)[1] == kAuthenticAmd || (*leaf0)[1] == kHygonGenuine);
}

// Leaf 0xB's levels: type 1 (SMT) and 2 (core) give the shifts and counts.
bool placeByLeafB(const CpuidAnswers& cpu, Place& place) {
    bool core = false;
    for (std::uint32_t subleaf = 0; subleaf <= kMaxDumpIndex; ++subleaf) {
        const CpuidAnswer* level = cpu.FindReported(0xb, subleaf);
        const std::uint32_t type = level == nullptr ? 0 : ((*level)[2] >> 8) & 0xff;
        const unsigned count = level == nullptr ? 0 : (*level)[1] & 0xffff;
        if (type == 0 || count == 0) {
            break;
        }
        place.ApicId = (*level)[3];
        if (type == 1) {
            place.ThreadBits = (*level)[0] & 0x1f;
            place.ThreadsPerCore = count;
        } else if (type == 2) {
            place.PackageBits = (*level)[0] & 0x1f;
            place.ThreadsPerPackage = count;
            core = true;
        }
    }
    return core;
}

Place placeOf(const CpuidAnswers& cpu) {
    Place place;
    const CpuidAnswer* leaf1 = cpu.FindReported(1);
    if (leaf1 == nullptr || placeByLeafB(cpu, place)) {
        return place;
    }
    place.ApicId = (*leaf1)[1] >> 24;
    const unsigned ids = ((*leaf1)[3] & kHtt) != 0 ? std::max((*leaf1)[1] >> 16 & 0xff, 1u) : 1;
    place.ThreadsPerPackage = ids;
    place.PackageBits = bitsFor(ids);
    if (isAmd(cpu)) {
        if (const CpuidAnswer* ext8 = cpu.FindReported(0x80000008u)) {
            place.ThreadsPerPackage = ((*ext8)[2] & 0xff) + 1;
            const unsigned idBits = (*ext8)[2] >> 12 & 0xf;
            place.PackageBits = idBits != 0 ? idBits : bitsFor(place.ThreadsPerPackage);
        }
        // Before family 0x17 the leaf counts the cores of a compute unit.
        const CpuidAnswer* ext1e = cpu.FindReported(0x8000001eu);
        if (ext1e != nullptr && ((*leaf1)[0] >> 8 & 0xf) == 0xf &&
            ((*leaf1)[0] >> 20 & 0xff) >= 8) {
            place.ThreadsPerCore = ((*ext1e)[1] >> 8 & 0xff) + 1;
        }
    } else if (const CpuidAnswer* leaf4 = cpu.FindReported(4)) {
        const unsigned cores = ((*leaf4)[0] & 0x1f) != 0 ? ((*leaf4)[0] >> 26) + 1 : 1;
        place.ThreadsPerCore = std::max(ids / cores, 1u);
    } else {
        place.ThreadsPerCore = ids;
    }
    place.ThreadBits = bitsFor(place.ThreadsPerCore);
    return place;
}

// Leaf 0x1A's core type: 0x40 Intel Core, 0x20 Intel Atom; 0 for none.
std::uint32_t coreTypeOf(const CpuidAnswers& cpu) {
    const CpuidAnswer* leaf7 = cpu.FindReported(7);
    const CpuidAnswer* leaf1a = cpu.FindReported(0x1a);
    return leaf7 != nullptr && ((*leaf7)[3] & kHybrid) != 0 && leaf1a != nullptr
               ? (*leaf1a)[0] >> 24
               : 0;
}

// Indices as a list of ranges, e.g. "0-7,16".
std::string listOf(const std::vector<unsigned>& indices) {
    std::string list;
    for (std::size_t first = 0; first < indices.size();) {
        std::size_t last = first;
        while (last + 1 < indices.size() && indices[last + 1] == indices[last] + 1) {
            ++last;
        }
        list += (list.empty() ? "" : ",") + std::to_string(indices[first]);
        if (last > first) {
            list += "-" + std::to_string(indices[last]);
        }
        first = last + 1;
    }
    return list;
}

struct KindName {
    std::uint32_t Code;
    const char* Kind;
    const char* CoreType;
};

constexpr KindName kKinds[] = {{0x40, "performance", "IntelCore"},
                               {0x20, "efficiency", "IntelAtom"}};

} // namespace

CpuTopology TopologyFromCpuid(const std::vector<CpuidAnswers>& cpus) {
    CpuTopology topology;
    if (cpus.empty()) {
        return topology;
    }
    std::vector<Place> places;
    for (const CpuidAnswers& cpu : cpus) {
        places.push_back(placeOf(cpu));
    }
    if (cpus.size() == 1) {
        const Place& only = places.front();
        topology.Sockets = 1;
        topology.Threads = only.ThreadsPerPackage;
        topology.Cores = std::max(only.ThreadsPerPackage / std::max(only.ThreadsPerCore, 1u), 1u);
        return topology;
    }
    const auto coreId = [](const Place& place) {
        return static_cast<std::uint64_t>(place.ApicId) >> place.ThreadBits;
    };
    std::set<std::uint64_t> sockets;
    std::set<std::uint64_t> cores;
    for (const Place& place : places) {
        sockets.insert(static_cast<std::uint64_t>(place.ApicId) >> place.PackageBits);
        cores.insert(coreId(place));
    }
    topology.Sockets = static_cast<unsigned>(sockets.size());
    topology.Cores = static_cast<unsigned>(cores.size());
    topology.Threads = static_cast<unsigned>(cpus.size());
    std::vector<CoreKind> kinds;
    for (const KindName& name : kKinds) {
        CoreKind kind{name.Kind, name.CoreType, {}, 0, 0};
        std::vector<unsigned> indices;
        std::set<std::uint64_t> kindCores;
        for (unsigned index = 0; index < cpus.size(); ++index) {
            if (coreTypeOf(cpus[index]) == name.Code) {
                indices.push_back(index);
                kindCores.insert(coreId(places[index]));
            }
        }
        kind.Cpus = listOf(indices);
        kind.Cores = static_cast<unsigned>(kindCores.size());
        kind.Threads = static_cast<unsigned>(indices.size());
        if (kind.Threads > 0) {
            kinds.push_back(kind);
        }
    }
    if (kinds.size() > 1) {
        topology.CoreKinds = kinds;
    }
    return topology;
}
