#include "quelcore/CpuInfoText.h"
#include "quelcore/HostFiles.h"
#include "quelcore/QuelCore_Info.h"
#include "tests/quelcore/ElfExports.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

const std::set<std::string> kSixFunctions = {"GetCPU_Info", "GetCPU_ExtInfo", "GetCPU_String",
                                             "GetCPU_Caps", "GetCPU_Speed",   "GetCPU_Usage"};

} // namespace

TEST(QuelCoreLibrary, ExportsExactlyTheSixFunctions) {
    EXPECT_EQ(DefinedDynamicSymbols(QUELCORE_LIBRARY_PATH), kSixFunctions);

    void* library = dlopen(QUELCORE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    for (const std::string& name : kSixFunctions) {
        EXPECT_NE(dlsym(library, name.c_str()), nullptr) << name;
    }
    dlclose(library);
}

TEST(QuelCoreLibrary, StringWritesAtMostItsWidthAndANul) {
    char name[64];
    char extra[32];
    std::memset(name, 'x', sizeof name);
    std::memset(extra, 'x', sizeof extra);
    GetCPU_String(name, extra);
    const std::size_t nameLength = strnlen(name, sizeof name);
    const std::size_t extraLength = strnlen(extra, sizeof extra);
    ASSERT_LE(nameLength, 48u);
    ASSERT_LE(extraLength, 16u);
    EXPECT_TRUE(
        std::all_of(name + nameLength + 1, name + sizeof name, [](char c) { return c == 'x'; }));
    EXPECT_TRUE(std::all_of(extra + extraLength + 1, extra + sizeof extra,
                            [](char c) { return c == 'x'; }));
}

TEST(QuelCoreLibrary, DescribesThisMachinePlausibly) {
    std::uint8_t type = 99, family = 0, model = 0, stepping = 0;
    GetCPU_Info(&type, &family, &model, &stepping);
    char name[49] = {};
    char extra[17] = {};
    GetCPU_String(name, extra);
    EXPECT_GT(std::strlen(name), 0u);
    EXPECT_GT(family, 0);
    EXPECT_LE(type, 3);
    EXPECT_GT(GetCPU_Caps(53), 0);
    EXPECT_GT(GetCPU_Caps(57), 0);
    EXPECT_GT(GetCPU_Caps(61), 0);
    EXPECT_GT(GetCPU_Speed(), 0);
    for (int i = 0; i < 3; ++i) {
        const std::int16_t usage = GetCPU_Usage();
        EXPECT_GE(usage, 0);
        EXPECT_LE(usage, 100);
    }
    for (std::int32_t code = 4; code <= 37; ++code) {
        const std::int32_t answer = GetCPU_Caps(code);
        EXPECT_TRUE(answer == 0 || answer == 1) << code << " answered " << answer;
    }
    EXPECT_EQ(GetCPU_Caps(-1), 0);
    EXPECT_EQ(GetCPU_Caps(100000), 0);

#if defined(__x86_64__)
    EXPECT_EQ(GetCPU_Caps(4), 1) << "CPUID";
    EXPECT_EQ(GetCPU_Caps(5), 1) << "FPU";
    EXPECT_EQ(GetCPU_Caps(28), 1) << "SSE2";
    EXPECT_EQ(GetCPU_Caps(37), 1) << "long mode";
    EXPECT_NE(GetCPU_Caps(42), 0) << "address sizes";
    // The kernel's view of the same processor.
    const std::string cpuinfo = ReadTextFile("/proc/cpuinfo").value_or("");
    EXPECT_EQ(CpuInfoNumber(cpuinfo, "cpu family"), family);
    EXPECT_EQ(CpuInfoNumber(cpuinfo, "model"), model);
    EXPECT_EQ(CpuInfoNumber(cpuinfo, "stepping"), stepping);
    EXPECT_EQ(CpuInfoField(cpuinfo, "vendor_id"), std::string(extra));
#endif
}
