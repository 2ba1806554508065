#include "facts/FeatureList.h"
#include "facts/MachineInfoJson.h"
#include "platform/QuelError.h"
#include "rawdata/LoadedMachine.h"
#include "rawdata/UnpackedBundle.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// "192 KiB (4 instances)" of a line of lscpu's output: bytes in all and instances.
struct CacheLine {
    double Bytes = 0;
    unsigned Instances = 0;
};

std::map<std::string, std::string> lscpuFields(const fs::path& file) {
    std::map<std::string, std::string> fields;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            fields[line.substr(0, colon)] = line.substr(line.find_first_not_of(' ', colon + 1));
        }
    }
    return fields;
}

CacheLine cacheLine(const std::string& text) {
    static const std::regex form(R"(([0-9.]+) (KiB|MiB|GiB) \(([0-9]+) instances?\))");
    std::smatch match;
    if (!std::regex_match(text, match, form)) {
        return {};
    }
    const double unit = match[2] == "KiB" ? 1024.0 : match[2] == "MiB" ? 1048576.0 : 1073741824.0;
    return {std::stod(match[1]) * unit, static_cast<unsigned>(std::stoul(match[3]))};
}

CacheLine ours(const std::vector<CacheGroup>& groups) {
    CacheLine total;
    for (const CacheGroup& group : groups) {
        total.Bytes += static_cast<double>(group.SizeBytes) * group.Instances;
        total.Instances += group.Instances;
    }
    return total;
}

// The processors of a list such as "0-5,48-53" or "0,1".
std::set<int> cpusOf(const std::string& list) {
    std::set<int> cpus;
    std::istringstream parts(list);
    for (std::string part; std::getline(parts, part, ',');) {
        const auto dash = part.find('-');
        const int first = std::stoi(part.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(part.substr(dash + 1));
        for (int cpu = first; cpu <= last; ++cpu) {
            cpus.insert(cpu);
        }
    }
    return cpus;
}

// lscpu's "2803.2000" as whole MHz.
std::uint32_t megahertz(const std::string& text) {
    return static_cast<std::uint32_t>(std::lround(std::stod(text)));
}

// lscpu's sections of one model each, on ARM: "Model name", then its fields.
std::vector<std::map<std::string, std::string>> lscpuModels(const fs::path& file) {
    std::vector<std::map<std::string, std::string>> models;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, colon);
        if (key == "Model name") {
            models.emplace_back();
        }
        if (!models.empty()) {
            models.back()[key] = line.substr(line.find_first_not_of(' ', colon + 1));
        }
    }
    return models;
}

// The ARM machine's kinds of cores, each with its cores, revision, clock and
// features as lscpu shows them; only floating point of the window's marks.
void expectArmAgrees(const MachineInfo& info, const fs::path& expected) {
    ASSERT_TRUE(info.Arm.has_value());
    EXPECT_EQ(info.Identity.Vendor, "ARM");
    std::map<std::string, std::vector<std::string>> ours;
    for (const ArmCoreKind& kind : info.Arm->Kinds) {
        std::string features;
        for (const std::string& feature : info.Arm->Features.value_or(std::vector<std::string>{})) {
            features += (features.empty() ? "" : " ") + feature;
        }
        ours[kind.Name] = {std::to_string(kind.Cores), kind.Stepping,
                           std::to_string(kind.MaxMHz.value_or(0)), features};
    }
    std::map<std::string, std::vector<std::string>> theirs;
    for (auto& model : lscpuModels(expected)) {
        theirs[model["Model name"]] = {model["Core(s) per socket"], model["Stepping"],
                                       std::to_string(megahertz(model["CPU max MHz"])),
                                       model["Flags"]};
    }
    EXPECT_EQ(ours, theirs);
    for (std::size_t entry = 0; entry < kFeatureEntries.size(); ++entry) {
        EXPECT_EQ(info.Window.Features[entry], kFeatureEntries[entry].Code == 5)
            << kFeatureEntries[entry].Text;
    }
}

} // namespace

// The machines that util-linux keeps for its lscpu tests, loaded as
// `info --load-raw` loads them: the x86 ones tell the identity, address
// sizes, layout, caches, NUMA nodes, maximum clock and hypervisor that lscpu
// printed for them, the 64-bit ARM one its kinds of cores, and the 32-bit
// ARM one is refused. hwloc reads each tree, not this machine's own CPUID.
TEST(LscpuTrees, EveryMachineTellsWhatLscpuShowsOrIsRefused) {
    const fs::path folder = QUEL_CORPUS_DIR "/lscpu";
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no lscpu trees at " << folder << "; nothing was checked";
    }
    // The trees hold up to 17,000 files: unpacked in memory where the system
    // offers it, they take a second instead of many on a disk-backed /tmp.
    const char* earlier = std::getenv("TMPDIR");
    const std::string savedTmp = earlier ? earlier : "";
    if (::access("/dev/shm", W_OK) == 0) {
        ::setenv("TMPDIR", "/dev/shm", 1);
    }
    for (const char* name : {"x86_64-64cpu-linux6.2", "x86_64-dell_e4310", "x86_64-epyc_7451",
                             "vmware_fpe", "vbox-win", "arm-A510-A710-A715-X3", "armv7"}) {
        SCOPED_TRACE(name);
        const std::string bundleFile = (folder / (std::string(name) + ".tar.gz")).string();
        const UnpackedBundle bundle(bundleFile);
        const fs::path expected = folder / (std::string(name) + ".lscpu-expected");
        if (std::string(name) == "armv7") {
            EXPECT_THROW(
                try { LoadMachineInfo(bundle.Root(), bundleFile); } catch (const QuelError& error) {
                    EXPECT_NE(error.Description().find("32-bit ARM"), std::string::npos);
                    throw;
                },
                QuelError);
            continue;
        }
        const LoadedMachine loaded = LoadMachineInfo(bundle.Root(), bundleFile);
        EXPECT_TRUE(loaded.Faults.empty());
        const MachineInfo& info = loaded.Info;
        if (std::string(name).rfind("arm", 0) == 0) {
            expectArmAgrees(info, expected);
            continue;
        }
        auto fields = lscpuFields(expected);
        EXPECT_EQ(info.Identity.Vendor, fields["Vendor ID"]);
        EXPECT_EQ(info.Identity.Brand, fields["Model name"]);
        EXPECT_EQ(info.Identity.Family, std::stoi(fields["CPU family"]));
        EXPECT_EQ(info.Identity.Model, std::stoi(fields["Model"]));
        EXPECT_EQ(info.Identity.Stepping, std::stoi(fields["Stepping"]));
        if (fields.count("Address sizes")) {
            EXPECT_EQ(std::to_string(info.PhysicalAddressBits.value_or(0)) + " bits physical, " +
                          std::to_string(info.VirtualAddressBits.value_or(0)) + " bits virtual",
                      fields["Address sizes"]);
        }
        if (fields.count("CPU max MHz")) {
            EXPECT_EQ(info.Clock.MaxMHz, megahertz(fields["CPU max MHz"]));
        }
        if (fields.count("Hypervisor vendor")) {
            EXPECT_EQ(info.Virtual.Hypervisor, fields["Hypervisor vendor"]);
        }
        if (fields.count("NUMA node(s)")) {
            ASSERT_EQ(info.NumaNodes.size(), std::stoul(fields["NUMA node(s)"]));
            for (const NumaNode& node : info.NumaNodes) {
                EXPECT_EQ(cpusOf(node.Cpus),
                          cpusOf(fields["NUMA node" + std::to_string(node.Node) + " CPU(s)"]));
            }
        }
        ASSERT_TRUE(info.Topology.has_value());
        const CpuTopology& topology = *info.Topology;
        const unsigned sockets = std::stoul(fields["Socket(s)"]);
        EXPECT_EQ(topology.Sockets, sockets);
        EXPECT_EQ(topology.Cores, sockets * std::stoul(fields["Core(s) per socket"]));
        EXPECT_EQ(topology.Threads, std::stoul(fields["CPU(s)"]));
        const std::pair<const char*, const std::vector<CacheGroup>*> levels[] = {
            {"L1d cache", &topology.L1d},
            {"L1i cache", &topology.L1i},
            {"L2 cache", &topology.L2},
            {"L3 cache", &topology.L3}};
        for (const auto& [label, groups] : levels) {
            // lscpu calls a level-2 data cache "L2d".
            const std::string text = fields.count(label)                ? fields[label]
                                     : std::string(label) == "L2 cache" ? fields["L2d cache"]
                                                                        : std::string();
            const CacheLine expected = cacheLine(text);
            const CacheLine found = ours(*groups);
            EXPECT_EQ(found.Instances, expected.Instances) << label;
            // lscpu rounds its sizes to a tenth of their unit.
            EXPECT_NEAR(found.Bytes, expected.Bytes, expected.Bytes * 0.03) << label;
        }
    }
    if (earlier) {
        ::setenv("TMPDIR", savedTmp.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}
