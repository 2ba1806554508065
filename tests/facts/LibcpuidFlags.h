#pragma once

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>

// libcpuid's flag for one of our extension names; nothing where libcpuid
// names none.
inline std::optional<std::string> LibcpuidFlag(const std::string& extension) {
    static const std::map<std::string, std::string> renamed = {{"sse3", "pni"},
                                                               {"lzcnt", "abm"},
                                                               {"lahf_sahf", "lahf_lm"},
                                                               {"aes_ni", "aes"},
                                                               {"pclmulqdq", "pclmul"},
                                                               {"sha", "sha_ni"},
                                                               {"fma", "fma3"},
                                                               {"avx512_vbmi", "avx512vbmi"},
                                                               {"avx512_vbmi2", "avx512vbmi2"},
                                                               {"avx512_vnni", "avx512vnni"}};
    static const std::set<std::string> same = {
        "ssse3",  "sse4_1", "sse4_2",  "sse4a",    "popcnt",   "cx16",     "movbe",
        "rdrand", "rdseed", "adx",     "bmi1",     "bmi2",     "avx",      "f16c",
        "fma4",   "avx2",   "avx512f", "avx512dq", "avx512cd", "avx512bw", "avx512vl"};
    if (const auto found = renamed.find(extension); found != renamed.end()) {
        return found->second;
    }
    return same.count(extension) != 0 ? std::optional<std::string>(extension) : std::nullopt;
}

// The x86-64 psABI level that libcpuid's flags reach; nothing without long
// mode. The baseline leaves out SCE, which Intel reports only to 64-bit
// code, and level 3 OSXSAVE, which the system sets.
inline std::optional<int> LevelOfFlags(const std::set<std::string>& flags) {
    const auto all = [&flags](std::initializer_list<const char*> names) {
        return std::all_of(names.begin(), names.end(),
                           [&flags](const char* name) { return flags.count(name) != 0; });
    };
    if (!all({"lm", "cmov", "cx8", "fpu", "fxsr", "mmx", "sse", "sse2"})) {
        return std::nullopt;
    }
    int level = 1;
    for (const auto names : {std::initializer_list<const char*>{"cx16", "lahf_lm", "popcnt", "pni",
                                                                "sse4_1", "sse4_2", "ssse3"},
                             {"avx", "avx2", "bmi1", "bmi2", "f16c", "fma3", "abm", "movbe"},
                             {"avx512f", "avx512bw", "avx512cd", "avx512dq", "avx512vl"}}) {
        if (!all(names)) {
            return level;
        }
        ++level;
    }
    return level;
}
