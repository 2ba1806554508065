#include "facts/ClockFrequencies.h"
#include "facts/MachineId.h"
#include "facts/NumaNodes.h"
#include "facts/OsRelease.h"
#include "tests/facts/FakeSystemTree.h"

#include <gtest/gtest.h>

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

struct ClockCase {
    const char* what;
    Files files;
    std::optional<std::uint32_t> base, max, current;
    std::vector<std::string> governors;
};

const std::string kCpu = "/sys/devices/system/cpu/";

TEST(ClockFrequencies, ReportsOnlyWhatCpufreqSays) {
    const ClockCase cases[] = {
        {"no cpufreq at all",
         {{kCpu + "cpu0/topology/core_id", "0\n"}, {kCpu + "cpu1/topology/core_id", "1\n"}},
         {},
         {},
         {},
         {}},
        {"every figure, cpu10 after cpu2, governors in processor order",
         {{kCpu + "cpu2/cpufreq/base_frequency", "2100000\n"},
          {kCpu + "cpu2/cpufreq/cpuinfo_max_freq", "4700000\n"},
          {kCpu + "cpu2/cpufreq/scaling_cur_freq", "1799600\n"},
          {kCpu + "cpu2/cpufreq/scaling_governor", "powersave\n"},
          {kCpu + "cpu10/cpufreq/base_frequency", "1600000\n"},
          {kCpu + "cpu10/cpufreq/cpuinfo_max_freq", "3500000\n"},
          {kCpu + "cpu10/cpufreq/scaling_cur_freq", "2200400\n"},
          {kCpu + "cpu10/cpufreq/scaling_governor", "performance\n"},
          {kCpu + "cpu3/cpufreq/scaling_governor", "powersave\n"},
          {kCpu + "cpufreq/boost", "1\n"}},
         2100,
         4700,
         2000,
         {"powersave", "performance"}},
        {"a current clock without base or maximum, unreadable text ignored",
         {{kCpu + "cpu0/cpufreq/scaling_cur_freq", "800000\n"},
          {kCpu + "cpu0/cpufreq/cpuinfo_max_freq", "<unknown>\n"},
          {kCpu + "cpu1/cpufreq/base_frequency", "\n"}},
         {},
         {},
         800,
         {}},
    };
    for (const ClockCase& c : cases) {
        FakeSystemTree tree;
        for (const auto& [path, text] : c.files) {
            tree.Write(path, text);
        }
        const ClockFrequencies clocks = ReadClockFrequencies(tree.Root());
        EXPECT_EQ(clocks.BaseMHz, c.base) << c.what;
        EXPECT_EQ(clocks.MaxMHz, c.max) << c.what;
        EXPECT_EQ(clocks.CurrentMHz, c.current) << c.what;
        EXPECT_EQ(clocks.Governors, c.governors) << c.what;
    }
}

TEST(OsRelease, PrettyNameUndoesShellQuoting) {
    const struct {
        const char* text;
        std::optional<std::string> name;
    } cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Debian GNU/Linux 12 (bookworm)"},
        {"PRETTY_NAME='Arch $Linux \\ \"x\"'\n", "Arch $Linux \\ \"x\""},
        {"PRETTY_NAME=Plain\r\n", "Plain"},
        {"PRETTY_NAME=\"Say \\\"hi\\\" for \\$5 \\\\ \\n\"\n", "Say \"hi\" for $5 \\ \\n"},
        {"# PRETTY_NAME=\"Comment\"\nXPRETTY_NAME=x\nNAME=Other\n", std::nullopt},
        {"PRETTY_NAME=\"\"\n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OsRelease::PrettyName(c.text), c.name) << c.text;
    }
}

TEST(OsRelease, FallsBackToTheVendorFileOnlyWhenEtcHasNone) {
    FakeSystemTree tree;
    EXPECT_EQ(OsRelease::ReadPrettyName(tree.Root()), std::nullopt);
    tree.Write("/usr/lib/os-release", "PRETTY_NAME=\"Vendor\"\n");
    EXPECT_EQ(OsRelease::ReadPrettyName(tree.Root()), "Vendor");
    tree.Write("/etc/os-release", "PRETTY_NAME=\"Local\"\n");
    EXPECT_EQ(OsRelease::ReadPrettyName(tree.Root()), "Local");
}

TEST(MachineId, HashesAValidIdAndNothingElse) {
    // Digests from sha256sum over "quelvorant.machine/1:" and the id.
    const struct {
        std::optional<std::string> file;
        std::optional<std::string> id;
    } cases[] = {
        {"0123456789abcdef0123456789abcdef\n", "a2e21841c30b6536"},
        {"0123456789abcdef0123456789abcdef", "a2e21841c30b6536"},
        {"3d1219c7c4c5404aaa1f6d2a48adfda4\n", "29eb818c46509e00"},
        {std::nullopt, std::nullopt},
        {"", std::nullopt},
        {"uninitialized\n", std::nullopt},
        {"0123456789abcdef0123456789abcdeg\n", std::nullopt},
        {"0123456789abcdef0123456789abcdef0\n", std::nullopt},
    };
    for (const auto& c : cases) {
        FakeSystemTree tree;
        if (c.file) {
            tree.Write("/etc/machine-id", *c.file);
        }
        EXPECT_EQ(MachineId::Read(tree.Root()), c.id) << c.file.value_or("(no file)");
    }
}

} // namespace

TEST(NumaNodes, AreReadByNumberWithTheirProcessors) {
    FakeSystemTree tree;
    EXPECT_TRUE(ReadNumaNodes(tree.Root()).empty());
    tree.Write("/sys/devices/system/node/node10/cpulist", "40-43\n");
    tree.Write("/sys/devices/system/node/node2/cpulist", "8-11,24\n");
    tree.Write("/sys/devices/system/node/node0/cpulist", "0-3\n");
    tree.Write("/sys/devices/system/node/possible", "0,2,10\n");
    tree.Write("/sys/devices/system/node/nodeX/cpulist", "99\n");
    // Older trees keep only the mask: 32-bit words, the highest first.
    tree.Write("/sys/devices/system/node/node3/cpumap", "00000003,c000000f\n");
    tree.Write("/sys/devices/system/node/node4/cpumap", "0000000g\n");
    const std::vector<NumaNode> nodes = ReadNumaNodes(tree.Root());
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].Node, 0);
    EXPECT_EQ(nodes[1].Node, 2);
    EXPECT_EQ(nodes[1].Cpus, "8-11,24");
    EXPECT_EQ(nodes[2].Cpus, "0-3,30-33");
    EXPECT_EQ(nodes[3].Cpus, "");
    EXPECT_EQ(nodes[4].Node, 10);
}
