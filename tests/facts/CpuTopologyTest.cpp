#include "facts/CpuTopology.h"

#include <gtest/gtest.h>

namespace {

// One object of hwloc's XML, with the sets hwloc's own reader needs on each;
// hwloc reads one element a line.
std::string Object(const std::string& type, unsigned cpus, const std::string& attributes,
                   const std::string& children = "") {
    char sets[160];
    std::snprintf(sets, sizeof sets,
                  " cpuset=\"0x%08x\" complete_cpuset=\"0x%08x\" nodeset=\"0x00000001\""
                  " complete_nodeset=\"0x00000001\"",
                  cpus, cpus);
    return "<object type=\"" + type + "\"" + sets + attributes +
           (children.empty() ? "/>\n" : ">\n" + children + "</object>\n");
}

std::string Core(unsigned index, unsigned firstCpu, unsigned threads) {
    std::string pus;
    for (unsigned cpu = firstCpu; cpu < firstCpu + threads; ++cpu) {
        pus += Object("PU", 1u << cpu, " os_index=\"" + std::to_string(cpu) + "\"");
    }
    return Object("Core", ((1u << threads) - 1) << firstCpu,
                  " os_index=\"" + std::to_string(index) + "\"", pus);
}

std::string Cache(const char* type, unsigned cpus, unsigned bytes, int depth,
                  const std::string& children) {
    return Object(type, cpus,
                  " cache_size=\"" + std::to_string(bytes) + "\" depth=\"" + std::to_string(depth) +
                      "\" cache_linesize=\"64\" cache_type=\"0\"",
                  children);
}

// A hybrid processor: two performance cores with two threads and an L2 each,
// four efficiency cores sharing one L2, and one L3 for all.
std::string HybridXml() {
    const std::string caches =
        Cache("L3Cache", 0xff, 12u << 20, 3,
              Cache("L2Cache", 0x03, 1280u << 10, 2, Core(0, 0, 2)) +
                  Cache("L2Cache", 0x0c, 1280u << 10, 2, Core(1, 2, 2)) +
                  Cache("L2Cache", 0xf0, 2u << 20, 2,
                        Core(8, 4, 1) + Core(9, 5, 1) + Core(10, 6, 1) + Core(11, 7, 1)));
    const std::string package =
        Object("Package", 0xff, " os_index=\"0\"",
               Object("NUMANode", 0xff, " os_index=\"0\" local_memory=\"1073741824\"") + caches);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE topology SYSTEM \"hwloc2.dtd\">\n"
           "<topology version=\"2.0\">\n" +
           Object("Machine", 0xff, " os_index=\"0\"", package) +
           "<cpukind cpuset=\"0x000000f0\" forced_efficiency=\"0\">\n"
           "<info name=\"CoreType\" value=\"IntelAtom\"/>\n</cpukind>\n"
           "<cpukind cpuset=\"0x0000000f\" forced_efficiency=\"1\">\n"
           "<info name=\"CoreType\" value=\"IntelCore\"/>\n</cpukind>\n"
           "</topology>\n";
}

void ExpectGroups(const std::vector<CacheGroup>& actual, const std::vector<CacheGroup>& expected,
                  const char* level) {
    ASSERT_EQ(actual.size(), expected.size()) << level;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].SizeBytes, expected[i].SizeBytes) << level << " group " << i;
        EXPECT_EQ(actual[i].Instances, expected[i].Instances) << level << " group " << i;
        EXPECT_EQ(actual[i].CoresEach, expected[i].CoresEach) << level << " group " << i;
        EXPECT_EQ(actual[i].ThreadsEach, expected[i].ThreadsEach) << level << " group " << i;
    }
}

TEST(CpuTopology, HybridProcessorHasTwoKindsAndTwoSortsOfL2) {
    const std::optional<CpuTopology> topology = CpuTopologyFromXml(HybridXml());
    ASSERT_TRUE(topology);
    EXPECT_EQ(topology->Sockets, 1u);
    EXPECT_EQ(topology->Cores, 6u);
    EXPECT_EQ(topology->Threads, 8u);

    ASSERT_EQ(topology->CoreKinds.size(), 2u);
    const CoreKind& fast = topology->CoreKinds[0];
    EXPECT_EQ(fast.Kind, "performance");
    EXPECT_EQ(fast.CoreType, "IntelCore");
    EXPECT_EQ(fast.Cpus, "0-3");
    EXPECT_EQ(fast.Cores, 2u);
    EXPECT_EQ(fast.Threads, 4u);
    const CoreKind& frugal = topology->CoreKinds[1];
    EXPECT_EQ(frugal.Kind, "efficiency");
    EXPECT_EQ(frugal.CoreType, "IntelAtom");
    EXPECT_EQ(frugal.Cpus, "4-7");
    EXPECT_EQ(frugal.Cores, 4u);
    EXPECT_EQ(frugal.Threads, 4u);

    ExpectGroups(topology->L2, {{1310720, 2, 1, 2}, {2097152, 1, 4, 4}}, "L2");
    ExpectGroups(topology->L3, {{12582912, 1, 6, 8}}, "L3");
    EXPECT_TRUE(topology->L1d.empty());
}

TEST(CpuTopology, CachesCountTheCoresThatShareThem) {
    const std::optional<CpuTopology> topology =
        CpuTopologyFromSynthetic("pack:2 l3:1(size=32MiB) l2:2(size=1MiB) l1d:2(size=48KiB) "
                                 "l1i:1(size=32KiB) core:1 pu:2");
    ASSERT_TRUE(topology);
    EXPECT_EQ(topology->Sockets, 2u);
    EXPECT_EQ(topology->Cores, 8u);
    EXPECT_EQ(topology->Threads, 16u);
    EXPECT_TRUE(topology->CoreKinds.empty()) << "one kind of core is no hybrid";
    ExpectGroups(topology->L3, {{32u << 20, 2, 4, 8}}, "L3");
    ExpectGroups(topology->L2, {{1u << 20, 4, 2, 4}}, "L2");
    ExpectGroups(topology->L1d, {{48u << 10, 8, 1, 2}}, "L1d");
    ExpectGroups(topology->L1i, {{32u << 10, 8, 1, 2}}, "L1i");
}

TEST(CpuTopology, BrokenDescriptionGivesNothing) {
    EXPECT_FALSE(CpuTopologyFromXml("<topology"));
    EXPECT_FALSE(CpuTopologyFromSynthetic("pack:two"));
}

} // namespace
