#include "facts/DumpTopology.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kIntel = 0x756e6547u; // leaf 0 EBX, "Genu"
constexpr std::uint32_t kAmd = 0x68747541u;   // "Auth"

// Logical processors alike but for their APIC ID (leaf 1 EBX[31:24], leaf
// 0xB EDX) and their core type (leaf 0x1A EAX[31:24]).
std::vector<CpuidAnswers>
Dump(const CpuidAnswers& alike,
     std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> cpus) {
    std::vector<CpuidAnswers> dump;
    for (const auto& [apicId, coreType] : cpus) {
        CpuidAnswers cpu = alike;
        for (auto& [key, answer] : cpu.Leaves) {
            answer[1] |= key == std::make_pair(1u, 0u) ? apicId << 24 : 0;
            answer[3] = key.first == 0xb ? apicId : answer[3];
            answer[0] |= key.first == 0x1a ? coreType << 24 : 0;
        }
        dump.push_back(cpu);
    }
    return dump;
}

TEST(DumpTopology, CountsByApicIdsAndLeafWidths) {
    const CpuidAnswers leafB = {{{{0, 0}, {0x1f, kIntel, 0, 0}},
                                 {{1, 0}, {0, 0x00100800, 0, 1u << 28}},
                                 {{7, 0}, {0, 0, 0, 1u << 15}},
                                 {{0xb, 0}, {1, 2, 0x100, 0}},
                                 {{0xb, 1}, {3, 4, 0x201, 0}},
                                 {{0x1a, 0}, {0, 0, 0, 0}}},
                                {}};
    const CpuidAnswers zen = {{{{0, 0}, {0xd, kAmd, 0, 0}},
                               {{1, 0}, {0x00800f11, 0x00100800, 0, 1u << 28}},
                               {{0x80000000u, 0}, {0x8000001eu, 0, 0, 0}},
                               {{0x80000008u, 0}, {0, 0, 0x400f, 0}},
                               {{0x8000001eu, 0}, {0, 0x100, 0, 0}}},
                              {}};
    const struct {
        const char* what;
        std::vector<CpuidAnswers> dump;
        unsigned sockets, cores, threads;
        std::vector<std::pair<std::string, std::string>> kinds; // kind, processors
    } cases[] = {
        {"two sockets of two cores of two threads",
         Dump(leafB, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {8, 0}, {9, 0}, {10, 0}, {11, 0}}),
         2,
         4,
         8,
         {}},
        {"hybrid: one performance core of two threads, two efficiency cores",
         Dump(leafB, {{0, 0x40}, {1, 0x40}, {2, 0x20}, {4, 0x20}}),
         1,
         3,
         4,
         {{"performance", "0-1"}, {"efficiency", "2-3"}}},
        {"one of eight cores of two threads, by AMD's leaves", Dump(zen, {{0, 0}}), 1, 8, 16, {}},
    };
    for (const auto& c : cases) {
        const CpuTopology topology = TopologyFromCpuid(c.dump);
        EXPECT_EQ(topology.Sockets, c.sockets) << c.what;
        EXPECT_EQ(topology.Cores, c.cores) << c.what;
        EXPECT_EQ(topology.Threads, c.threads) << c.what;
        std::vector<std::pair<std::string, std::string>> kinds;
        for (const CoreKind& kind : topology.CoreKinds) {
            kinds.emplace_back(kind.Kind.value_or(""), kind.Cpus);
        }
        EXPECT_EQ(kinds, c.kinds) << c.what;
    }
}

} // namespace
