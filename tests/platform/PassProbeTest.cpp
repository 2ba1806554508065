#include "platform/PassProbe.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Keeps the calling thread on the processor it runs on until the end.
class PinnedHere {
  public:
    PinnedHere() : cpu_(::sched_getcpu()) {
        ::sched_getaffinity(0, sizeof old_, &old_);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu_, &one);
        ::sched_setaffinity(0, sizeof one, &one);
    }
    ~PinnedHere() { ::sched_setaffinity(0, sizeof old_, &old_); }
    int Cpu() const { return cpu_; }

  private:
    int cpu_;
    cpu_set_t old_;
};

void write(const std::string& root, const std::string& path, const std::string& text) {
    const std::filesystem::path file = root + path;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// /proc/stat with over 4 KiB of other processors' lines before this one's.
std::string statWithSteal(int cpu, int steal) {
    std::string text = "cpu  1 2 3 4 5 6 7 999 0 0\n";
    for (int other = 1000; other < 1100; ++other) {
        text += "cpu" + std::to_string(other) + " 10 20 30 40 50 60 70 888 0 0\n";
    }
    text += "cpu" + std::to_string(cpu) + " 10 20 30 40 50 60 70 " + std::to_string(steal) +
            " 0 0\nintr 1 2 3\n";
    return text;
}

} // namespace

TEST(PassProbe, ReadsTheDifferencesOfItsFilesUnderARoot) {
    const PinnedHere pinned;
    const std::string cpu = "/sys/devices/system/cpu/cpu" + std::to_string(pinned.Cpu());
    const double ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    using Figure = std::function<std::optional<double>(const PassReading&)>;
    const auto whole = [](const std::optional<std::uint64_t>& n) -> std::optional<double> {
        return n ? std::optional<double>(static_cast<double>(*n)) : std::nullopt;
    };
    const struct {
        std::string path, before, after;
        Figure figure;
        std::optional<double> expected;
    } cases[] = {
        {"/proc/thread-self/schedstat", "5 1000000000 3\n", "9 1250000000 4\n",
         [](const PassReading& r) { return r.WaitSeconds; }, 0.25},
        {"/proc/stat", statWithSteal(pinned.Cpu(), 100), statWithSteal(pinned.Cpu(), 150),
         [](const PassReading& r) { return r.StolenSeconds; }, 50 / ticks},
        {"/proc/stat", statWithSteal(pinned.Cpu() + 1, 100), statWithSteal(pinned.Cpu() + 1, 150),
         [](const PassReading& r) { return r.StolenSeconds; }, std::nullopt},
        {cpu + "/cpufreq/scaling_cur_freq", "1200000\n", "2400000\n",
         [](const PassReading& r) { return r.ClockMHz; }, 2400.0},
        // The hotter monitor hwmon0 is no processor's and is left out.
        {"/sys/class/hwmon/hwmon1/temp2_input", "41000\n", "67500\n",
         [](const PassReading& r) { return r.TemperatureC; }, 67.5},
        {cpu + "/thermal_throttle/core_throttle_count", "7\n", "10\n",
         [&](const PassReading& r) { return whole(r.ThrottleEvents); }, 3.0},
    };
    for (const auto& c : cases) {
        const TempDir root;
        write(root.Path(), "/sys/class/hwmon/hwmon0/name", "acpitz\n");
        write(root.Path(), "/sys/class/hwmon/hwmon0/temp1_input", "99000\n");
        write(root.Path(), "/sys/class/hwmon/hwmon1/name", "coretemp\n");
        write(root.Path(), "/sys/class/hwmon/hwmon1/temp1_input", "40000\n");
        write(root.Path(), cpu + "/thermal_throttle/package_throttle_count", "2\n");
        write(root.Path(), cpu + "/cpufreq/cpuinfo_max_freq", "3500000\n");
        write(root.Path(), c.path, c.before);
        PassProbe probe(root.Path(), PassProbe::Counters::Skip);
        probe.Before();
        write(root.Path(), c.path, c.after);
        const PassReading reading = probe.After();
        const std::optional<double> figure = c.figure(reading);
        ASSERT_EQ(figure.has_value(), c.expected.has_value()) << c.path;
        if (c.expected) {
            EXPECT_DOUBLE_EQ(*figure, *c.expected) << c.path;
        }
        EXPECT_EQ(reading.CpuAtStart, pinned.Cpu());
        EXPECT_EQ(probe.Sources().MaxClockMHz, 3500.0) << c.path;
    }
}

TEST(PassProbe, WaitingIsWhatABusyNeighbourOnTheSameProcessorTakes) {
    const PinnedHere pinned;
    for (const bool neighbour : {true, false}) {
        pid_t child = -1;
        if (neighbour) {
            child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                cpu_set_t one;
                CPU_ZERO(&one);
                CPU_SET(pinned.Cpu(), &one);
                ::sched_setaffinity(0, sizeof one, &one);
                volatile unsigned spin = 0;
                for (;;) {
                    spin = spin + 1;
                }
            }
        }
        PassProbe probe;
        const auto start = std::chrono::steady_clock::now();
        probe.Before();
        volatile unsigned spin = 0;
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200)) {
            spin = spin + 1;
        }
        const PassReading reading = probe.After();
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (child > 0) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        ASSERT_TRUE(reading.WaitSeconds.has_value());
        if (neighbour) {
            EXPECT_GT(*reading.WaitSeconds, 0.2 * elapsed);
        } else {
            EXPECT_LT(*reading.WaitSeconds, 0.5 * elapsed);
        }
        EXPECT_EQ(reading.CpuAtStart, pinned.Cpu());
        EXPECT_EQ(reading.CpuAtEnd, pinned.Cpu());
    }
}
