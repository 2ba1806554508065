#include "platform/HostSystemStatus.h"
#include "platform/MemoryStatus.h"

#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

TEST(MemoryStatus, ReadsSixtyFourBitFiguresFromMeminfo) {
    const struct {
        const char* meminfo;
        std::uint64_t total, available;
        std::uint32_t load;
    } cases[] = {
        // 64 GiB total, 16 GiB available: beyond what 32 bits hold.
        {"MemTotal:       67108864 kB\nMemFree:  1000 kB\nMemAvailable:   16777216 kB\n",
         68719476736ull, 17179869184ull, 75},
        {"MemTotal:  1000 kB\nMemFree:  200 kB\n", 1024000, 204800, 80},
        {"MemTotal:  1000 kB\nMemAvailable:  1000 kB\n", 1024000, 1024000, 0},
        {"MemTotal:  1000 kB\nMemAvailable:  0 kB\n", 1024000, 0, 100},
        {"MemTotal:  3 kB\nMemAvailable:  1 kB\n", 3072, 1024, 67},
        {"MemAvailable:  1000 kB\n", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        MEMORYSTATUS status;
        ParseMemInfo(c.meminfo, status);
        EXPECT_EQ(status.ullTotalPhys, c.total) << c.meminfo;
        EXPECT_EQ(status.ullAvailPhys, c.available) << c.meminfo;
        EXPECT_EQ(status.dwMemoryLoad, c.load) << c.meminfo;
    }
}

TEST(HostSystemStatus, FiguresOfThisMachine) {
    HostSystemStatus host;
    MEMORYSTATUS status;
    host.GlobalMemoryStatus(status);
    EXPECT_GT(status.ullTotalPhys, 0u);
    EXPECT_LE(status.ullAvailPhys, status.ullTotalPhys);
    EXPECT_LE(status.dwMemoryLoad, 100u);

    double uptimeSeconds = 0;
    std::ifstream("/proc/uptime") >> uptimeSeconds;
    const std::uint64_t ticks = host.GetTickCount();
    EXPECT_NEAR(static_cast<double>(ticks) / 1000.0, uptimeSeconds, 2.0);
}

TEST(HostSystemStatus, UserNameIsTheEffectiveUsersWithItsNulCounted) {
    HostSystemStatus host;
    const passwd* account = getpwuid(geteuid());
    ASSERT_NE(account, nullptr);
    const std::string expected = account->pw_name;

    char buffer[255];
    std::uint32_t size = sizeof buffer;
    EXPECT_TRUE(host.GetUserNameA(buffer, size));
    EXPECT_EQ(size, expected.size() + 1);
    EXPECT_EQ(std::string(buffer), expected);

    // A buffer too small for the name and its NUL receives nothing.
    char tight[64];
    std::fill(std::begin(tight), std::end(tight), 'x');
    std::uint32_t tightSize = static_cast<std::uint32_t>(expected.size());
    EXPECT_FALSE(host.GetUserNameA(tight, tightSize));
    EXPECT_EQ(tightSize, 0u);
    EXPECT_EQ(tight[0], 'x');
}
