#include "facts/InstructionSets.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

std::map<std::string, bool> Marks(const CpuidRegisters& registers) {
    std::map<std::string, bool> marks;
    for (const Extension& extension : DecodeExtensions(registers)) {
        marks[extension.Name] = extension.Present;
    }
    return marks;
}

constexpr std::uint32_t Bit(int n) {
    return 1u << n;
}

// A processor with x86-64-v4's extensions, AVX-512 VNNI, VAES, SHA and AMX.
CpuidRegisters Modern(std::uint64_t xcr0) {
    CpuidRegisters r;
    r.Leaf1Ecx = Bit(0) | Bit(9) | Bit(12) | Bit(13) | Bit(19) | Bit(20) | Bit(22) | Bit(23) |
                 Bit(25) | Bit(27) | Bit(28) | Bit(29);
    r.Leaf7Ebx =
        Bit(3) | Bit(5) | Bit(8) | Bit(16) | Bit(17) | Bit(28) | Bit(29) | Bit(30) | Bit(31);
    r.Leaf7Ecx = Bit(9) | Bit(11);
    r.Leaf7Edx = Bit(22) | Bit(24) | Bit(25);
    r.ExtLeaf1Ecx = Bit(0) | Bit(5);
    r.ExtLeaf1Edx = Bit(29);
    r.Xcr0 = xcr0;
    return r;
}

TEST(InstructionSets, VectorExtensionsNeedTheirRegisterStateFromTheSystem) {
    const struct {
        const char* what;
        std::uint64_t xcr0;
        bool avx, avx512, amx;
        std::optional<int> level;
    } cases[] = {
        {"every state enabled", 0x600e7, true, true, true, 4},
        {"no AMX tile state", 0xe7, true, true, false, 4},
        {"no AVX-512 state (only the upper ZMM halves missing)", 0x60087, true, false, true, 3},
        {"only SSE state", 0x3, false, false, false, 2},
        {"OSXSAVE off: XCR0 unreadable", 0, false, false, false, 2},
    };
    for (const auto& c : cases) {
        const auto marks = Marks(Modern(c.xcr0));
        for (const char* name : {"avx", "fma", "f16c", "avx2", "vaes"}) {
            EXPECT_EQ(marks.at(name), c.avx) << c.what << ": " << name;
        }
        for (const char* name : {"avx512f", "avx512bw", "avx512vl", "avx512_vnni"}) {
            EXPECT_EQ(marks.at(name), c.avx512) << c.what << ": " << name;
        }
        for (const char* name : {"amx_tile", "amx_int8", "amx_bf16"}) {
            EXPECT_EQ(marks.at(name), c.amx) << c.what << ": " << name;
        }
        for (const char* name : {"sse4_2", "aes_ni", "sha", "bmi1", "bmi2", "popcnt"}) {
            EXPECT_TRUE(marks.at(name)) << c.what << ": " << name;
        }
        EXPECT_FALSE(marks.at("sse4a")) << c.what;
        EXPECT_EQ(X86_64Level(Modern(c.xcr0)), c.level) << c.what;
    }
}

TEST(InstructionSets, LevelsFollowTheirExtensions) {
    CpuidRegisters baseline;
    baseline.ExtLeaf1Edx = Bit(29);
    EXPECT_EQ(X86_64Level(baseline), 1);
    EXPECT_EQ(X86_64Level(CpuidRegisters{}), std::nullopt) << "no long mode";
    CpuidRegisters noLzcnt = Modern(0x600e7);
    noLzcnt.ExtLeaf1Ecx &= ~Bit(5);
    EXPECT_EQ(X86_64Level(noLzcnt), 2);
    CpuidRegisters noCd = Modern(0x600e7);
    noCd.Leaf7Ebx &= ~Bit(28);
    EXPECT_EQ(X86_64Level(noCd), 3);
}

TEST(InstructionSets, EveryNameOnce) {
    const std::vector<Extension> extensions = DecodeExtensions(CpuidRegisters{});
    EXPECT_EQ(Marks(CpuidRegisters{}).size(), extensions.size());
    for (const Extension& extension : extensions) {
        EXPECT_FALSE(extension.Present) << extension.Name;
    }
}

} // namespace
