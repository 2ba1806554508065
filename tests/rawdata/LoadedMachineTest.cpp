#include "rawdata/LoadedMachine.h"
#include "facts/MachineInfoJson.h"
#include "facts/QuelCoreBinding.h"
#include "platform/HostSystemStatus.h"
#include "rawdata/RawDataSave.h"
#include "rawdata/UnpackedBundle.h"
#include "tests/facts/FakeSystemTree.h"

#include <gtest/gtest.h>

namespace {

using nlohmann::json;

// What only the running machine has, or what a bundle keeps only when asked:
// left out of the comparison of a machine with its loaded bundle.
const char* const kLiveOnly[] = {"/source",
                                 "/window/user_name",
                                 "/window/up_time",
                                 "/window/speed",
                                 "/window/cpu_usage",
                                 "/window/available_ram",
                                 "/window/used_ram",
                                 "/clock_mhz/current",
                                 "/memory/available_bytes",
                                 "/memory/used_percent",
                                 "/system/hostname",
                                 "/system/user",
                                 "/system/up_time_seconds",
                                 "/system/container",
                                 "/machine_id",
                                 "/machine_name"};

json withoutLiveFigures(json info) {
    for (const char* pointer : kLiveOnly) {
        info[json::json_pointer(pointer)] = nullptr;
    }
    return info;
}

} // namespace

// The bundle this machine saves, loaded again, tells every fact the running
// machine tells, by the same code, but those that only a running machine has.
TEST(LoadedMachine, ThisMachinesBundleTellsWhatThisMachineTells) {
    TempDir dir;
    SaveRawData(dir.File("this.tar.gz"), {});
    QuelCoreBinding library;
    HostSystemStatus system;
    const json live = MachineInfoJson(CollectMachineInfo(library, system));
    const UnpackedBundle bundle(dir.File("this.tar.gz"));
    const LoadedMachine loaded = LoadMachineInfo(bundle.Root(), "this.tar.gz");
    EXPECT_TRUE(loaded.Faults.empty());
    const json fromBundle = MachineInfoJson(loaded.Info);
    EXPECT_EQ(fromBundle["source"]["kind"], "bundle");
    EXPECT_EQ(withoutLiveFigures(fromBundle), withoutLiveFigures(live))
        << json::diff(withoutLiveFigures(live), withoutLiveFigures(fromBundle)).dump(1);
}

// Partial and hostile contents: each gives what it can, says what it cannot
// use, and never takes long or fails.
TEST(LoadedMachine, PartialAndHostileContentsGiveWhatTheyCan) {
    const std::string leaf0 = "basic_cpuid[0]=0000000d 756e6547 6c65746e 49656e69\n";
    const std::string leaf1 = "basic_cpuid[1]=000906ea 00100800 7ffafbff bfebfbff\n";
    std::string manyCpus;
    for (int cpu = 0; cpu < 4096; ++cpu) {
        manyCpus += "Logical CPU #" + std::to_string(cpu) + "\n" + leaf0 + leaf1 +
                    "basic_cpuid[11]=00000001 00000002 00000100 " + std::to_string(cpu) + "\n";
    }
    const struct {
        const char* what;
        std::map<std::string, std::string> files;
        std::string vendor;   // empty: unknown
        std::string features; // the window's first mark: "yes", "no" or "unknown"
        std::string threads;  // "" for unknown
        std::string fault;    // a word of the one fault, or empty
    } cases[] = {
        {"nothing at all", {}, "", "unknown", "", ""},
        // One processor's answers tell its package: 16 logical processors.
        {"a bare dump", {{"/cpuid.raw", leaf0 + leaf1}}, "GenuineIntel", "yes", "16", ""},
        {"a garbage dump beside cpuinfo",
         {{"/cpuid.raw", "basic_cpuid[0]=zz\n"},
          {"/proc/cpuinfo", "processor\t: 0\nvendor_id\t: AuthenticAMD\ncpu family\t: 25\n"
                            "model\t\t: 1\nflags\t\t: fpu\n"}},
         "AuthenticAMD",
         "yes",
         "",
         "cpuid.raw:1"},
        {"4,096 logical processors", {{"/cpuid.raw", manyCpus}}, "GenuineIntel", "yes", "4096", ""},
        {"a leaf that claims 2^32 subleaves and every leaf",
         {{"/cpuid.raw", "basic_cpuid[0]=ffffffff 756e6547 6c65746e 49656e69\n" + leaf1 +
                             "basic_cpuid[4]=ffffffff ffffffff ffffffff ffffffff\n"
                             "intel_fn4[0]=ffffffff ffffffff ffffffff ffffffff\n"
                             "basic_cpuid[7]=ffffffff 0 0 0\n"}},
         "GenuineIntel",
         "yes",
         "16",
         ""},
        {"extra answers for another count of processors",
         {{"/cpuid.raw", leaf0 + leaf1},
          {"/cpuid-extra.txt", "Logical CPU #0\nxcr0=0000000000000007\nLogical CPU #1\n"
                               "xcr0=0000000000000007\n"}},
         "GenuineIntel",
         "yes",
         "16",
         "cpuid-extra.txt"},
        {"hwloc XML that is not XML", {{"/hwloc.xml", "<topology"}}, "", "unknown", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSystemTree tree;
        for (const auto& [path, text] : c.files) {
            tree.Write(path, text);
        }
        const LoadedMachine loaded = LoadMachineInfo(tree.Root(), c.what);
        const json info = MachineInfoJson(loaded.Info);
        EXPECT_EQ(info["processor"]["vendor"], c.vendor.empty() ? json(nullptr) : json(c.vendor));
        const json& mark = info["window"]["features"][0]["present"];
        EXPECT_EQ(mark.is_null() ? "unknown" : mark.get<bool>() ? "yes" : "no", c.features);
        EXPECT_EQ(info["processor"]["threads"],
                  c.threads.empty() ? json(nullptr) : json(std::stoi(c.threads)));
        EXPECT_EQ(info["system"]["up_time_seconds"], nullptr);
        ASSERT_EQ(loaded.Faults.size(), c.fault.empty() ? 0u : 1u);
        if (!c.fault.empty()) {
            EXPECT_NE(loaded.Faults.front().find(c.fault), std::string::npos)
                << loaded.Faults.front();
        }
    }
}
