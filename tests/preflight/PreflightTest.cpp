#include "preflight/Preflight.h"
#include "preflight/PreflightJson.h"
#include "preflight/PreflightText.h"
#include "tests/facts/FakeSystemTree.h"

#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

using Files = std::map<std::string, std::string>;

constexpr int kSelf = 7;
const std::string kCpu0 = "/sys/devices/system/cpu/cpu0";

// /proc/stat with busy user time and /proc/PID/stat with a process's user
// time, both in seconds.
std::string procStat(long seconds) {
    return "cpu " + std::to_string(seconds * ::sysconf(_SC_CLK_TCK)) + " 0 0 0 0 0 0 0\n";
}
std::string pidStat(const std::string& name, long seconds) {
    return "42 (" + name + ") R 1 42 42 0 -1 0 0 0 0 0 " +
           std::to_string(seconds * ::sysconf(_SC_CLK_TCK)) + " 0 0 0 20 0 1 0 500 0\n";
}

// The checks of a tree laid out as before, changed to during while they sample.
PreflightResult checksOf(const Files& before, const Files& during,
                         const std::optional<std::string>& hypervisor = {}) {
    FakeSystemTree tree;
    for (const auto& [path, text] : before) {
        tree.Write(path, text);
    }
    return RunPreflight(tree.Root(), kSelf, hypervisor, [&] {
        for (const auto& [path, text] : during) {
            tree.Write(path, text);
        }
        return 1.0;
    });
}

PreflightCheck named(const PreflightResult& result, const std::string& name) {
    for (const PreflightCheck& check : result.Checks) {
        if (check.Name == name) {
            return check;
        }
    }
    ADD_FAILURE() << "no check " << name;
    return {};
}

} // namespace

TEST(Preflight, EachCheckPassesNotesOrWarnsByWhatTheMachineShows) {
    const Files idle = {{"/proc/stat", procStat(0)}, {"/proc/42/stat", pidStat("stress", 0)}};
    const std::string ac = "/sys/class/power_supply/AC";
    const std::string bat = "/sys/class/power_supply/BAT0";
    const std::string hwmon = "/sys/class/hwmon/hwmon0";
    const struct {
        const char* name;
        Files before;
        Files during;
        std::optional<std::string> hypervisor;
        const char* check;
        CheckLevel level;
    } cases[] = {
        {"a busy program",
         idle,
         {{"/proc/stat", procStat(1)}, {"/proc/42/stat", pidStat("stress", 1)}},
         {},
         "load",
         CheckLevel::Warn},
        {"only this process busy",
         {{"/proc/stat", procStat(0)}, {"/proc/7/stat", pidStat("self", 0)}},
         {{"/proc/stat", procStat(1)}, {"/proc/7/stat", pidStat("self", 1)}},
         {},
         "load",
         CheckLevel::Pass},
        {"a v2 quota above the group",
         {{"/proc/self/cgroup", "0::/a/b\n"}, {"/sys/fs/cgroup/a/cpu.max", "50000 100000\n"}},
         {},
         {},
         "cpu-quota",
         CheckLevel::Warn},
        {"no v2 quota",
         {{"/proc/self/cgroup", "0::/a\n"}, {"/sys/fs/cgroup/a/cpu.max", "max 100000\n"}},
         {},
         {},
         "cpu-quota",
         CheckLevel::Pass},
        {"a v1 quota",
         {{"/proc/self/cgroup", "4:cpu,cpuacct:/d\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/d/cpu.cfs_quota_us", "150000\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/d/cpu.cfs_period_us", "100000\n"}},
         {},
         {},
         "cpu-quota",
         CheckLevel::Warn},
        {"no v1 quota",
         {{"/proc/self/cgroup", "4:cpu,cpuacct:/d\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/d/cpu.cfs_quota_us", "-1\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/d/cpu.cfs_period_us", "100000\n"}},
         {},
         {},
         "cpu-quota",
         CheckLevel::Pass},
        {"schedutil",
         {{kCpu0 + "/cpufreq/scaling_governor", "schedutil\n"}},
         {},
         {},
         "governor",
         CheckLevel::Warn},
        {"performance",
         {{kCpu0 + "/cpufreq/scaling_governor", "performance\n"}},
         {},
         {},
         "governor",
         CheckLevel::Pass},
        {"no cpufreq", {}, {}, {}, "governor", CheckLevel::Pass},
        {"mains offline",
         {{ac + "/type", "Mains\n"}, {ac + "/online", "0\n"}},
         {},
         {},
         "power",
         CheckLevel::Warn},
        {"a battery discharging",
         {{bat + "/type", "Battery\n"}, {bat + "/status", "Discharging\n"}},
         {},
         {},
         "power",
         CheckLevel::Warn},
        {"mains online",
         {{ac + "/type", "Mains\n"},
          {ac + "/online", "1\n"},
          {bat + "/type", "Battery\n"},
          {bat + "/status", "Charging\n"}},
         {},
         {},
         "power",
         CheckLevel::Pass},
        {"a hot processor",
         {{hwmon + "/name", "k10temp\n"}, {hwmon + "/temp1_input", "90000\n"}},
         {},
         {},
         "temperature",
         CheckLevel::Warn},
        {"near its critical",
         {{hwmon + "/name", "coretemp\n"},
          {hwmon + "/temp2_input", "80000\n"},
          {hwmon + "/temp2_crit", "82000\n"}},
         {},
         {},
         "temperature",
         CheckLevel::Warn},
        {"a cool processor",
         {{hwmon + "/name", "coretemp\n"},
          {hwmon + "/temp1_input", "50000\n"},
          {hwmon + "/temp1_crit", "100000\n"}},
         {},
         {},
         "temperature",
         CheckLevel::Pass},
        {"a hot sensor elsewhere",
         {{hwmon + "/name", "acpitz\n"}, {hwmon + "/temp1_input", "95000\n"}},
         {},
         {},
         "temperature",
         CheckLevel::Pass},
        {"throttling",
         {{kCpu0 + "/thermal_throttle/core_throttle_count", "5\n"}},
         {{kCpu0 + "/thermal_throttle/core_throttle_count", "7\n"}},
         {},
         "throttle",
         CheckLevel::Warn},
        {"throttled only before",
         {{kCpu0 + "/thermal_throttle/core_throttle_count", "5\n"}},
         {},
         {},
         "throttle",
         CheckLevel::Pass},
        {"a hypervisor", {}, {}, "KVM", "hypervisor", CheckLevel::Note},
        {"SMT on",
         {{"/sys/devices/system/cpu/smt/active", "1\n"}},
         {},
         {},
         "smt",
         CheckLevel::Note},
        {"SMT off",
         {{"/sys/devices/system/cpu/smt/active", "0\n"}},
         {},
         {},
         "smt",
         CheckLevel::Pass},
        {"turbo",
         {{"/sys/devices/system/cpu/intel_pstate/no_turbo", "0\n"}},
         {},
         {},
         "boost",
         CheckLevel::Note},
        {"boost",
         {{"/sys/devices/system/cpu/cpufreq/boost", "1\n"}},
         {},
         {},
         "boost",
         CheckLevel::Note},
        {"no turbo",
         {{"/sys/devices/system/cpu/intel_pstate/no_turbo", "1\n"}},
         {},
         {},
         "boost",
         CheckLevel::Pass},
        {"isolated processors",
         {{"/sys/devices/system/cpu/isolated", "2-3\n"}},
         {},
         {},
         "isolated",
         CheckLevel::Note},
        {"none isolated",
         {{"/sys/devices/system/cpu/isolated", "\n"},
          {"/sys/devices/system/cpu/nohz_full", "(null)\n"}},
         {},
         {},
         "isolated",
         CheckLevel::Pass},
    };
    for (const auto& c : cases) {
        const PreflightCheck check = named(checksOf(c.before, c.during, c.hypervisor), c.check);
        EXPECT_EQ(LevelName(check.Level), std::string(LevelName(c.level)))
            << c.name << ": " << check.Found;
    }
}

TEST(Preflight, BusyProgramsAreNamedOnlyInTheTerminal) {
    const PreflightResult result =
        checksOf({{"/proc/stat", procStat(0)}, {"/proc/42/stat", pidStat("stress", 0)}},
                 {{"/proc/stat", procStat(1)}, {"/proc/42/stat", pidStat("stress", 1)}});
    EXPECT_NE(PreflightText(result).find("stress 100% (pid 42)"), std::string::npos);
    EXPECT_EQ(PreflightJson(result).dump().find("stress"), std::string::npos);
    EXPECT_EQ(PreflightJson(result)["warnings"], 1);
}

TEST(Preflight, AStrictBenchmarkRefusesOnlyWhenACheckWarns) {
    const auto withLevels = [](std::initializer_list<CheckLevel> levels) {
        PreflightResult result;
        for (const CheckLevel level : levels) {
            PreflightCheck check;
            check.Name = 'c' + std::to_string(result.Checks.size());
            check.Level = level;
            result.Checks.push_back(check);
        }
        return result.RefusalReason();
    };
    EXPECT_EQ(withLevels({CheckLevel::Pass, CheckLevel::Note}), std::nullopt);
    EXPECT_EQ(withLevels({CheckLevel::Note, CheckLevel::Warn, CheckLevel::Warn}),
              "2 checks warn (c1, c2)");
}
