#include "facts/ArmFeatures.h"
#include "facts/ArmProcessor.h"
#include "tests/facts/FakeSystemTree.h"

#include <gtest/gtest.h>

namespace {

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

} // namespace

TEST(ArmFeatures, AreTheKernelsNamesOfTheAuxiliaryVectorsBits) {
    const struct {
        std::uint64_t hwcap, hwcap2;
        const char* names;
    } cases[] = {
        {0x3, 0, "fp asimd"},
        {1u << 8 | 1u << 22, 0, "atomics sve"},
        {1ull << 31, 1u << 1 | 1u << 13 | 1u << 14, "pacg sve2 i8mm bf16"},
        {0, 1u << 23 | 1ull << 33, "sme sveebf16"},
        // Bits past the table's are unknown to it, and left out.
        {1ull << 40, 1ull << 60, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(joined(ArmFeaturesOfHwcaps(c.hwcap, c.hwcap2)), c.names);
    }
}

// Kinds of cores from the registers, ranked by capacity; the register from
// sysfs or else /proc/cpuinfo; x86 and 32-bit ARM told apart.
TEST(ArmProcessor, KindsComeFromTheRegistersRankedByCapacity) {
    FakeSystemTree tree;
    EXPECT_FALSE(ReadArmProcessor(tree.Root(), std::nullopt).has_value());
    std::string cpuinfo;
    for (int cpu = 0; cpu < 4; ++cpu) {
        const std::string folder = "/sys/devices/system/cpu/cpu" + std::to_string(cpu);
        const bool big = cpu == 1 || cpu == 3;
        tree.Write(folder + "/cpu_capacity", big ? "1024\n" : "446\n");
        tree.Write(folder + "/cpufreq/cpuinfo_max_freq", big ? "2400000\n" : "1800000\n");
        // Only the first core's register is in sysfs; the others are in cpuinfo.
        if (cpu == 0) {
            tree.Write(folder + "/regs/identification/midr_el1", "0x00000000410fd050\n");
        }
        cpuinfo += "processor\t: " + std::to_string(cpu) +
                   "\nFeatures\t: fp asimd\nCPU implementer\t: 0x41\nCPU architecture: 8\n"
                   "CPU variant\t: " +
                   (big ? "0x4\nCPU part\t: 0xd0b\nCPU revision\t: 1\n\n"
                        : "0x2\nCPU part\t: 0xd05\nCPU revision\t: 0\n\n");
    }
    tree.Write("/proc/cpuinfo", cpuinfo);
    const std::optional<ArmProcessor> arm = ReadArmProcessor(tree.Root(), std::nullopt);
    ASSERT_TRUE(arm.has_value());
    EXPECT_EQ(arm->Vendor, "ARM");
    ASSERT_EQ(arm->Kinds.size(), 3u);
    const char* const expected[][4] = {{"Cortex-A76", "r4p1", "1,3", "2400"},
                                       {"Cortex-A55", "r0p0", "0", "1800"},
                                       {"Cortex-A55", "r2p0", "2", "1800"}};
    for (std::size_t kind = 0; kind < 3; ++kind) {
        const ArmCoreKind& found = arm->Kinds[kind];
        EXPECT_EQ(found.Name, expected[kind][0]);
        EXPECT_EQ(found.Stepping, expected[kind][1]);
        EXPECT_EQ(found.Cpus, expected[kind][2]);
        EXPECT_EQ(std::to_string(found.MaxMHz.value_or(0)), expected[kind][3]);
    }
    EXPECT_EQ(joined(arm->Features.value()), "fp asimd");
    EXPECT_EQ(
        joined(ReadArmProcessor(tree.Root(), std::vector<std::string>{"sve"})->Features.value()),
        "sve");

    for (const auto& [text, thirtyTwo] : std::vector<std::pair<std::string, bool>>{
             {cpuinfo, false},
             {"vendor_id\t: GenuineIntel\ncpu family\t: 6\n", false},
             {"processor\t: 0\n\nCPU architecture: 7\n", true},
             {"Processor\t: ARMv6-compatible processor rev 7 (v6l)\n", true}}) {
        EXPECT_EQ(Is32BitArm(text), thirtyTwo) << text;
    }
}
