#include "facts/CpuTopology.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>

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

} // namespace

// The x86 machines that util-linux keeps for its lscpu tests, read through
// hwloc from their trees: sockets, cores, threads and every cache level with
// its instances as lscpu printed them.
TEST(LscpuTrees, TheX86MachinesHaveTheLayoutLscpuShows) {
    const fs::path folder = QUEL_CORPUS_DIR "/lscpu";
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no lscpu trees at " << folder << "; nothing was checked";
    }
    for (const char* name : {"x86_64-64cpu-linux6.2", "x86_64-dell_e4310", "x86_64-epyc_7451",
                             "vmware_fpe", "vbox-win"}) {
        SCOPED_TRACE(name);
        TempDir dir;
        ASSERT_EQ(ChildProcess("/bin/tar",
                               {"-xzf", (folder / (std::string(name) + ".tar.gz")).string(), "-C",
                                dir.Path()},
                               dir.Path())
                      .Wait(),
                  0);
        // hwloc reads the tree, and not this machine's own CPUID, which its
        // x86 component would add to what the tree lacks.
        ::setenv("HWLOC_FSROOT", dir.File(name).c_str(), 1);
        ::setenv("HWLOC_COMPONENTS", "-x86", 1);
        const std::optional<CpuTopology> topology = MachineCpuTopology();
        ::unsetenv("HWLOC_FSROOT");
        ::unsetenv("HWLOC_COMPONENTS");
        ASSERT_TRUE(topology.has_value());
        auto fields = lscpuFields(folder / (std::string(name) + ".lscpu-expected"));
        const unsigned sockets = std::stoul(fields["Socket(s)"]);
        EXPECT_EQ(topology->Sockets, sockets);
        EXPECT_EQ(topology->Cores, sockets * std::stoul(fields["Core(s) per socket"]));
        EXPECT_EQ(topology->Threads, std::stoul(fields["CPU(s)"]));
        const std::pair<const char*, const std::vector<CacheGroup>*> levels[] = {
            {"L1d cache", &topology->L1d},
            {"L1i cache", &topology->L1i},
            {"L2 cache", &topology->L2},
            {"L3 cache", &topology->L3}};
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
}
