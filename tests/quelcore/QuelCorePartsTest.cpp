#include "quelcore/ArmParts.h"
#include "quelcore/CacheSizes.h"
#include "quelcore/ClockSpeed.h"
#include "quelcore/CpuInfoIdentity.h"
#include "quelcore/CpuInfoText.h"
#include "quelcore/CpuLoadMeter.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A temporary folder standing in for a part of /proc or sysfs.
class HostFolder : public TempDir {
  public:
    void Write(const std::string& relative, const std::string& text) const {
        const fs::path file = fs::path(Path()) / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file) << text;
    }
    // One cache as sysfs describes it under cpu0/cache/indexN.
    void WriteCache(int index, const std::string& level, const std::string& type,
                    const std::string& size) const {
        const std::string folder = "index" + std::to_string(index) + "/";
        Write(folder + "level", level + "\n");
        Write(folder + "type", type + "\n");
        Write(folder + "size", size + "\n");
    }
};

const char* const kTwoX86Processors = "processor\t: 0\n"
                                      "vendor_id\t: GenuineIntel\n"
                                      "cpu family\t: 6\n"
                                      "model name\t: Intel(R) Core(TM) i5 CPU\n"
                                      "cpu MHz\t\t: 2394.512\n"
                                      "\n"
                                      "processor\t: 1\n"
                                      "vendor_id\t: GenuineIntel\n"
                                      "cpu MHz\t\t: 800.000\n";

const char* const kArmBlock = "processor\t: 0\n"
                              "BogoMIPS\t: 50.00\n"
                              "Features\t: fp asimd evtstrm aes\n"
                              "CPU implementer\t: 0x41\n"
                              "CPU architecture: 8\n"
                              "CPU variant\t: 0x3\n"
                              "CPU part\t: 0xd0c\n"
                              "CPU revision\t: 1\n"
                              "\n";

} // namespace

TEST(CpuInfoText, ReadsFieldsOfTheFirstProcessorOnly) {
    EXPECT_EQ(CpuInfoField(kTwoX86Processors, "model name"), "Intel(R) Core(TM) i5 CPU");
    EXPECT_EQ(CpuInfoField(kTwoX86Processors, "cpu MHz"), "2394.512");
    EXPECT_EQ(CpuInfoNumber(kTwoX86Processors, "cpu family"), 6);
    EXPECT_EQ(CpuInfoField(kTwoX86Processors, "CPU part"), std::nullopt);
    EXPECT_EQ(CpuInfoNumber(kArmBlock, "CPU part"), 0xd0c);
    EXPECT_EQ(CpuInfoNumber(kArmBlock, "CPU architecture"), 8);
    EXPECT_EQ(CpuInfoNumber(kArmBlock, "Features"), std::nullopt);
}

TEST(CpuInfoIdentity, MapsTheArmRegisterAndCachesAndMarksOnlyTheFpu) {
    HostFolder caches;
    caches.WriteCache(0, "1", "Data", "64K");
    caches.WriteCache(1, "1", "Instruction", "64K");
    caches.WriteCache(2, "2", "Unified", "1024K");

    const ProcessorIdentity identity = CpuInfoIdentity(kArmBlock, caches.Path());
    EXPECT_EQ(identity.Vendor, "ARM");
    EXPECT_EQ(identity.Name, "Neoverse-N1");
    EXPECT_EQ(identity.Family, 0x41);
    EXPECT_EQ(identity.Model, 0x0c);
    EXPECT_EQ(identity.Stepping, 1);
    EXPECT_EQ(identity.ExtInfo, (std::array<std::uint8_t, 3>{3, 0x0d, 0x0c}));
    EXPECT_EQ(identity.Caps[CacheCode::Data], 64);
    EXPECT_EQ(identity.Caps[CacheCode::Instructions], 64);
    EXPECT_EQ(identity.Caps[CacheCode::Level2], 1024);
    for (std::int32_t code = 4; code <= 42; ++code) {
        EXPECT_EQ(identity.Caps[code], code == 5 ? 1 : 0) << code;
    }
    // sysfs's register wins over the block: a Cortex-A510 r1p1.
    const ProcessorIdentity fromRegister =
        CpuInfoIdentity(kArmBlock, "/nonexistent", ParseMidr("0x00000000411fd461\n"));
    EXPECT_EQ(fromRegister.Name, "Cortex-A510");
    EXPECT_EQ(fromRegister.ExtInfo, (std::array<std::uint8_t, 3>{1, 0x0d, 0x46}));
}

TEST(ArmParts, NameTheCoreAndItsRevisionFromTheRegister) {
    const struct {
        const char* midr;
        const char* name;
        const char* stepping;
    } cases[] = {
        {"0x00000000411fd461", "Cortex-A510", "r1p1"},
        {"0x00000000413fd0c1", "Neoverse-N1", "r3p1"},
        {"0x00000000610f0230", "Firestorm", "r0p0"},
        {"0x00000000c00fac30", "Ampere-1", "r0p0"},
        {"0x00000000410ffff0", "ARM part 0xfff", "r0p0"},
        {"0x00000000990f1232", "0x99 part 0x123", "r0p2"},
    };
    for (const auto& c : cases) {
        const Midr midr = DecodeMidr(ParseMidr(c.midr).value());
        EXPECT_EQ(ArmCoreName(midr), c.name) << c.midr;
        EXPECT_EQ(ArmStepping(midr), c.stepping) << c.midr;
    }
    for (const char* bad : {"", "411fd461", "0x", "0xzz", "0x00000000000000000001"}) {
        EXPECT_EQ(ParseMidr(bad), std::nullopt) << bad;
    }
}

TEST(CpuInfoIdentity, PrefersTheKernelsModelName) {
    const std::string cpuinfo = std::string("model name\t: ARMv7 Processor rev 4 (v7l)\n") +
                                "CPU implementer\t: 0x51\nCPU architecture: 7\n";
    const ProcessorIdentity identity = CpuInfoIdentity(cpuinfo, "/nonexistent");
    EXPECT_EQ(identity.Name, "ARMv7 Processor rev 4 (v7l)");
    EXPECT_EQ(identity.Vendor, "Qualcomm");
    EXPECT_EQ(identity.Family, 0x51);
    EXPECT_EQ(identity.Caps[CacheCode::Level2], 0);
}

TEST(CacheSizes, ParsesSysfsSizes) {
    const struct {
        const char* text;
        std::optional<std::int32_t> kilobytes;
    } cases[] = {{"32K", 32},
                 {"1024K", 1024},
                 {"2M", 2048},
                 {"65536", 64},
                 {"0K", 0},
                 {"", std::nullopt},
                 {"12Q", std::nullopt},
                 {"-4K", std::nullopt},
                 {"99999999999K", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCacheSize(c.text), c.kilobytes) << c.text;
    }
}

TEST(CacheSizes, FindsTheCacheOfLevelAndType) {
    HostFolder caches;
    caches.WriteCache(0, "1", "Instruction", "48K");
    caches.WriteCache(1, "2", "Unified", "2M");
    EXPECT_EQ(SysfsCacheKB(caches.Path(), 1, "Instruction"), 48);
    EXPECT_EQ(SysfsCacheKB(caches.Path(), 2, "Unified"), 2048);
    EXPECT_EQ(SysfsCacheKB(caches.Path(), 1, "Data"), std::nullopt);
    EXPECT_EQ(SysfsCacheKB(caches.Path() + "/missing", 1, "Data"), std::nullopt);
}

TEST(ClockSpeed, PrefersCurrentFrequencyThenCpuInfoThenMaximum) {
    HostFolder host;
    ClockSources sources{host.Path() + "/cpufreq", host.Path() + "/cpuinfo"};
    EXPECT_EQ(KernelClockMHz(sources), std::nullopt);

    host.Write("cpufreq/cpuinfo_max_freq", "3600000\n");
    EXPECT_EQ(KernelClockMHz(sources), 3600);
    host.Write("cpuinfo", kTwoX86Processors);
    EXPECT_EQ(KernelClockMHz(sources), 2395);
    host.Write("cpufreq/scaling_cur_freq", "1199999\n");
    EXPECT_EQ(KernelClockMHz(sources), 1200);
}

TEST(ClockSpeed, AnswerStaysWithinSixteenBits) {
    EXPECT_EQ(ClockAnswer(2596), 2596);
    EXPECT_EQ(ClockAnswer(40000), 32767);
    EXPECT_EQ(ClockAnswer(-5), 0);
}

TEST(CpuLoad, ParsesTheSummaryLine) {
    const auto times = ParseCpuTimes("cpu  100 5 50 800 20 3 2 10 7 0\ncpu0 1 2 3 4\n");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->Total, 990u); // guest time is already part of user time
    EXPECT_EQ(times->Busy, 170u);
    EXPECT_EQ(ParseCpuTimes("intr 5\n"), std::nullopt);
    EXPECT_EQ(ParseCpuTimes("cpu 1 2\n"), std::nullopt);
}

TEST(CpuLoad, PercentBetweenSamples) {
    const struct {
        CpuTimes previous, current;
        std::optional<std::int16_t> percent;
    } cases[] = {
        {{0, 0}, {50, 200}, 25},
        {{50, 200}, {50, 300}, 0},
        {{50, 200}, {150, 300}, 100},
        {{10, 100}, {11, 103}, 33},
        {{10, 100}, {10, 100}, std::nullopt},
        {{90, 100}, {80, 200}, 0}, // a busy count that went backwards counts as idle
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadPercent(c.previous, c.current), c.percent);
    }
}

TEST(CpuLoad, MeterMeasuresSinceThePreviousCallAndRepeatsWhenNoTimePassed) {
    HostFolder host;
    const std::string stat = host.Path() + "/stat";
    host.Write("stat", "cpu 30 0 10 60 0 0 0 0\n");
    CpuLoadMeter meter(stat);
    EXPECT_EQ(meter.Sample(), 40);
    host.Write("stat", "cpu 40 0 10 150 0 0 0 0\n");
    EXPECT_EQ(meter.Sample(), 10);
    EXPECT_EQ(meter.Sample(), 10);
    host.Write("stat", "cpu 140 0 10 150 0 0 0 0\n");
    EXPECT_EQ(meter.Sample(), 100);
}
