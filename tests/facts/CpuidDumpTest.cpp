#include "facts/CpuidDump.h"
#include "platform/QuelError.h"

#include <gtest/gtest.h>

// A dump from elsewhere is read only as libcpuid's raw format says, within
// limits; anything else is refused naming the dump, the line and the fault.
TEST(CpuidDump, IsReadOnlyWhenItHoldsAnswersWithinLimits) {
    std::string many;
    for (int cpu = 0; cpu <= 8192; ++cpu) {
        many += "Logical CPU #" + std::to_string(cpu) + "\nbasic_cpuid[0]=1 2 3 4\n";
    }
    const struct {
        const char* name;
        std::string text;
        std::string says; // empty: read
    } cases[] = {
        {"one processor without a header",
         "basic_cpuid[1]=000306a9 0 0 bfebfbff\r\n\next_cpuid[8]=3030 0 0 0\nintel_fn4[2]=a b c "
         "d\n",
         ""},
        {"an empty file", "", "dump: holds no CPUID answers"},
        {"garbage",
         "\x7f"
         "ELF\x02\x01",
         "dump:1: not a line of CPUID answers"},
        {"an unknown kind", "fancy_cpuid[0]=1 2 3 4\n", "dump:1: not a line of CPUID answers"},
        {"a hexadecimal index", "basic_cpuid[1f]=1 2 3 4\n", "dump:1: not a line"},
        {"an index past the limit", "intel_fn4[4096]=1 2 3 4\n",
         "dump:1: index 4096 is above 1023"},
        {"three numbers", "basic_cpuid[0]=1 2 3\n", "four hexadecimal numbers must follow"},
        {"five numbers", "basic_cpuid[0]=1 2 3 4 5\n", "more than four numbers"},
        {"a number of 36 bits", "basic_cpuid[0]=1 2 3 123456789\n", "four hexadecimal"},
        {"an XCR0 of 12 digits", "xcr0=0000000000e7\n", "dump:1: xcr0 must be 16 hexadecimal"},
        {"leaf 7 subleaf 1 with two numbers", "leaf7_subleaf1=1 2\n", "dump:1: four hexadecimal"},
        {"more processors than any machine", many, "more than 8192 logical processors"},
        {"more than 16 MiB", std::string((16u << 20) + 1, '\n'), "larger than 16 MiB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.says.empty()) {
            const std::vector<CpuidAnswers> cpus = ParseCpuidDump(c.text, "dump");
            ASSERT_EQ(cpus.size(), 1u);
            EXPECT_EQ((*cpus[0].Find(1))[3], 0xbfebfbffu);
            EXPECT_EQ((*cpus[0].Find(0x80000008u))[0], 0x3030u);
            EXPECT_EQ((*cpus[0].Find(4, 2))[0], 0xau);
            EXPECT_EQ(cpus[0].Find(4), nullptr);
            continue;
        }
        try {
            ParseCpuidDump(c.text, "dump");
            ADD_FAILURE() << "read";
        } catch (const QuelError& error) {
            EXPECT_NE(error.Description().find(c.says), std::string::npos) << error.Description();
        }
    }
}
