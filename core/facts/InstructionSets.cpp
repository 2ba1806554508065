#include "facts/InstructionSets.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

namespace {

// The register state an extension needs from the operating system (XCR0).
enum class State : std::uint64_t {
    None = 0,
    Avx = 0x6,     // XMM and YMM
    Avx512 = 0xe6, // and the opmask and both ZMM parts
    Amx = 0x60000, // tile configuration and tile data
};

struct ExtensionBit {
    const char* Name;
    std::uint32_t CpuidRegisters::*Register;
    int Bit;
    State Needs;
};

using R = CpuidRegisters;

constexpr std::array kExtensions = {
    ExtensionBit{"sse3", &R::Leaf1Ecx, 0, State::None},
    ExtensionBit{"ssse3", &R::Leaf1Ecx, 9, State::None},
    ExtensionBit{"sse4_1", &R::Leaf1Ecx, 19, State::None},
    ExtensionBit{"sse4_2", &R::Leaf1Ecx, 20, State::None},
    ExtensionBit{"sse4a", &R::ExtLeaf1Ecx, 6, State::None},
    ExtensionBit{"popcnt", &R::Leaf1Ecx, 23, State::None},
    ExtensionBit{"lzcnt", &R::ExtLeaf1Ecx, 5, State::None},
    ExtensionBit{"cx16", &R::Leaf1Ecx, 13, State::None},
    ExtensionBit{"lahf_sahf", &R::ExtLeaf1Ecx, 0, State::None},
    ExtensionBit{"movbe", &R::Leaf1Ecx, 22, State::None},
    ExtensionBit{"pclmulqdq", &R::Leaf1Ecx, 1, State::None},
    ExtensionBit{"aes_ni", &R::Leaf1Ecx, 25, State::None},
    ExtensionBit{"sha", &R::Leaf7Ebx, 29, State::None},
    ExtensionBit{"rdrand", &R::Leaf1Ecx, 30, State::None},
    ExtensionBit{"rdseed", &R::Leaf7Ebx, 18, State::None},
    ExtensionBit{"adx", &R::Leaf7Ebx, 19, State::None},
    ExtensionBit{"bmi1", &R::Leaf7Ebx, 3, State::None},
    ExtensionBit{"bmi2", &R::Leaf7Ebx, 8, State::None},
    ExtensionBit{"gfni", &R::Leaf7Ecx, 8, State::None},
    ExtensionBit{"avx", &R::Leaf1Ecx, 28, State::Avx},
    ExtensionBit{"f16c", &R::Leaf1Ecx, 29, State::Avx},
    ExtensionBit{"fma", &R::Leaf1Ecx, 12, State::Avx},
    ExtensionBit{"fma4", &R::ExtLeaf1Ecx, 16, State::Avx},
    ExtensionBit{"avx2", &R::Leaf7Ebx, 5, State::Avx},
    ExtensionBit{"vaes", &R::Leaf7Ecx, 9, State::Avx},
    ExtensionBit{"vpclmulqdq", &R::Leaf7Ecx, 10, State::Avx},
    ExtensionBit{"avx_vnni", &R::Leaf7Sub1Eax, 4, State::Avx},
    ExtensionBit{"avx512f", &R::Leaf7Ebx, 16, State::Avx512},
    ExtensionBit{"avx512dq", &R::Leaf7Ebx, 17, State::Avx512},
    ExtensionBit{"avx512cd", &R::Leaf7Ebx, 28, State::Avx512},
    ExtensionBit{"avx512bw", &R::Leaf7Ebx, 30, State::Avx512},
    ExtensionBit{"avx512vl", &R::Leaf7Ebx, 31, State::Avx512},
    ExtensionBit{"avx512_ifma", &R::Leaf7Ebx, 21, State::Avx512},
    ExtensionBit{"avx512_vbmi", &R::Leaf7Ecx, 1, State::Avx512},
    ExtensionBit{"avx512_vbmi2", &R::Leaf7Ecx, 6, State::Avx512},
    ExtensionBit{"avx512_vnni", &R::Leaf7Ecx, 11, State::Avx512},
    ExtensionBit{"avx512_bitalg", &R::Leaf7Ecx, 12, State::Avx512},
    ExtensionBit{"avx512_vpopcntdq", &R::Leaf7Ecx, 14, State::Avx512},
    ExtensionBit{"avx512_bf16", &R::Leaf7Sub1Eax, 5, State::Avx512},
    ExtensionBit{"avx512_fp16", &R::Leaf7Edx, 23, State::Avx512},
    ExtensionBit{"amx_tile", &R::Leaf7Edx, 24, State::Amx},
    ExtensionBit{"amx_int8", &R::Leaf7Edx, 25, State::Amx},
    ExtensionBit{"amx_bf16", &R::Leaf7Edx, 22, State::Amx},
};

constexpr std::uint32_t kLongMode = 1u << 29; // leaf 0x80000001, EDX

bool Usable(const ExtensionBit& extension, const CpuidRegisters& registers) {
    const auto state = static_cast<std::uint64_t>(extension.Needs);
    return (registers.*extension.Register >> extension.Bit & 1u) != 0 &&
           (registers.Xcr0 & state) == state;
}

} // namespace

std::vector<Extension> DecodeExtensions(const CpuidRegisters& registers) {
    std::vector<Extension> extensions;
    for (const ExtensionBit& extension : kExtensions) {
        extensions.push_back({extension.Name, Usable(extension, registers)});
    }
    return extensions;
}

std::vector<std::string> ExtensionsOfLeaf7Subleaf1() {
    std::vector<std::string> names;
    for (const ExtensionBit& extension : kExtensions) {
        if (extension.Register == &CpuidRegisters::Leaf7Sub1Eax) {
            names.emplace_back(extension.Name);
        }
    }
    return names;
}

std::optional<int> X86_64Level(const CpuidRegisters& registers) {
    if ((registers.ExtLeaf1Edx & kLongMode) == 0) {
        return std::nullopt;
    }
    const std::vector<Extension> extensions = DecodeExtensions(registers);
    const auto all = [&extensions](std::initializer_list<std::string_view> names) {
        return std::all_of(names.begin(), names.end(), [&extensions](std::string_view name) {
            return std::any_of(extensions.begin(), extensions.end(),
                               [name](const Extension& e) { return e.Present && name == e.Name; });
        });
    };
    // The levels of the x86-64 psABI; each includes the one below.
    if (!all({"cx16", "lahf_sahf", "popcnt", "sse3", "sse4_1", "sse4_2", "ssse3"})) {
        return 1;
    }
    if (!all({"avx", "avx2", "bmi1", "bmi2", "f16c", "fma", "lzcnt", "movbe"})) {
        return 2;
    }
    if (!all({"avx512f", "avx512bw", "avx512cd", "avx512dq", "avx512vl"})) {
        return 3;
    }
    return 4;
}
