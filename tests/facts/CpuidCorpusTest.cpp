#include "facts/DumpIdentity.h"
#include "facts/DumpRegisters.h"
#include "facts/DumpTopology.h"
#include "facts/InstructionSets.h"
#include "facts/LoadedProcessor.h"
#include "platform/FileSystem.h"
#include "tests/facts/LibcpuidFlags.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>

namespace fs = std::filesystem;

namespace {

// The vendor strings of the processors a corpus file's name begins with:
// Zhaoxin's earlier ones answer as Centaur, whose design they continue.
const std::map<std::string, std::vector<std::string>> kVendors = {
    {"amd", {"AuthenticAMD"}},
    {"intel", {"GenuineIntel"}},
    {"hygon", {"HygonGenuine"}},
    {"via", {"CentaurHauls"}},
    {"zhaoxin", {"  Shanghai  ", "CentaurHauls"}}};

struct Tally {
    int Agree = 0;
    int Compared = 0;
    int Unknown = 0;
    std::vector<std::string> Disagreeing;
};

std::map<std::string, bool> Marks(const CpuidRegisters& registers) {
    std::map<std::string, bool> marks;
    for (const Extension& extension : DecodeExtensions(registers)) {
        marks[extension.Name] = extension.Present;
    }
    return marks;
}

} // namespace

// Every dump of the corpus of real processors is read whole, and the
// identity, extensions, x86-64 level and layout its answers tell are
// compared with what a current libcpuid says of it. Facts that libcpuid
// counts otherwise than we do are tallied, not asserted: see the README.
TEST(CpuidCorpus, EveryDumpIsReadAndItsFactsAgree) {
    const fs::path folder = QUEL_CORPUS_DIR "/cpuid";
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no corpus of processors at " << folder << "; nothing was checked";
    }
    std::map<std::string, Tally> tally;
    const auto compare = [&tally](const std::string& file, const std::string& fact,
                                  const auto& ours, const auto& expected, bool assert = true) {
        Tally& counts = tally[fact];
        ++counts.Compared;
        counts.Agree += ours == expected ? 1 : 0;
        if (ours != expected) {
            counts.Disagreeing.push_back(file);
        }
        EXPECT_TRUE(!assert || ours == expected) << file << ": " << fact;
    };
    // Every bit set, but no register state beyond SSE's: the extensions
    // that stay off need state that the system enables.
    CpuidRegisters everyBit{~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, ~0u, 0x3, {}};
    std::map<std::string, bool> needsState;
    for (const auto& [extension, present] : Marks(everyBit)) {
        needsState[extension] = !present;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".raw") {
            continue;
        }
        const std::string name = entry.path().filename().string();
        const auto bytes = FileSystem::ReadAll(entry.path().string());
        std::vector<CpuidAnswers> cpus;
        ASSERT_NO_THROW(cpus = ParseCpuidDump(std::string(bytes.begin(), bytes.end()), name))
            << name;
        const nlohmann::json facts =
            nlohmann::json::parse(std::ifstream(fs::path(entry.path()).replace_extension(".json")));
        const nlohmann::json& expected = facts.at("expected").at(0);
        const auto number = [&expected](const char* key) {
            return std::stoi(expected.at(key).get<std::string>());
        };
        compare(name, "logical processors in the dump", static_cast<int>(cpus.size()),
                facts.at("logical_cpus_in_dump").get<int>());
        const CpuIdentity identity = IdentityFromCpuid(cpus.front());
        const auto base = BaseFamilyModelFromCpuid(cpus.front());
        ASSERT_TRUE(base.has_value()) << name;
        const std::vector<std::string>& vendors = kVendors.at(name.substr(0, name.find("--")));
        compare(name, "vendor",
                std::count(vendors.begin(), vendors.end(), identity.Vendor.value_or("")), 1);
        compare(name, "family", base->Family, number("family"));
        compare(name, "model", base->Model, number("model"));
        compare(name, "stepping", identity.Stepping.value_or(-1), number("stepping"));
        compare(name, "display family", identity.Family.value_or(-1), number("extfamily"));
        compare(name, "display model", identity.Model.value_or(-1), number("extmodel"));

        // Extensions. Those whose mark follows leaf 7 subleaf 1, where the
        // processor has it, are unknown: the dump lacks it. libcpuid flags
        // some that need AVX's register state on processors without AVX, where
        // they cannot run: tallied, not asserted.
        CpuidRegisters registers = RegistersFromCpuid(cpus.front());
        const auto flagList = expected.at("flags").get<std::vector<std::string>>();
        const std::set<std::string> flags(flagList.begin(), flagList.end());
        const CpuidAnswer* leaf7 = cpus.front().FindReported(7);
        registers.Leaf7Sub1Eax = leaf7 != nullptr && (*leaf7)[0] >= 1 ? ~0u : 0;
        const auto ifLeaf7Sub1 = Marks(registers);
        registers.Leaf7Sub1Eax = 0;
        for (const auto& [extension, present] : Marks(registers)) {
            const auto flag = LibcpuidFlag(extension);
            if (ifLeaf7Sub1.at(extension) != present) {
                ++tally[extension].Unknown;
            } else if (flag) {
                const bool expectedPresent = flags.count(*flag) != 0;
                compare(name, extension + " (" + *flag + ")", present, expectedPresent,
                        !expectedPresent || !needsState.at(extension) || flags.count("avx") != 0);
            }
        }
        compare(name, "x86-64 level", X86_64Level(registers), LevelOfFlags(flags));

        // The information window's feature marks and cache sizes, as a
        // loaded dump answers them. A cache that only leaf 2's descriptors
        // tell is unknown here; one that libcpuid does not know (-1) is not
        // compared. libcpuid decodes some marks for some vendors only: see
        // the README.
        const ProcessorIdentity window = ProcessorFromCpuid(cpus.front(), "/nonexistent");
        for (std::int32_t code = 0; code < ProcessorIdentity::kCapsCount; ++code) {
            if (const char* flag = FeatureFlagOfCode(code)) {
                compare(name, std::string("window mark ") + flag, window.Caps[code] != 0,
                        flags.count(flag) != 0,
                        vendors.front() != "CentaurHauls" && vendors.front() != "  Shanghai  ");
            }
        }
        compare(name, "window mark PowerNow (fid, vid, hwpstate)", window.Caps[38] != 0,
                flags.count("fid") + flags.count("vid") + flags.count("hwpstate") != 0);
        const std::pair<const char*, std::int32_t> caches[] = {
            {"l1d-cache", window.Caps[CacheCode::Data]},
            {"l1i-cache", window.Caps[CacheCode::Instructions]},
            {"l2-cache", window.Caps[CacheCode::Level2]}};
        for (const auto& [key, kb] : caches) {
            if (kb == 0) {
                ++tally[std::string("window ") + key].Unknown;
            } else if (number(key) >= 0) {
                compare(name, std::string("window ") + key, kb, number(key));
            }
        }

        // Cores, logical processors and core kinds: libcpuid calls some
        // efficiency cores "low-power efficiency".
        const CpuTopology topology = TopologyFromCpuid(cpus);
        std::map<std::string, std::pair<int, int>> kinds, ourKinds;
        std::pair<int, int> total;
        for (const nlohmann::json& kind : facts.at("expected")) {
            const std::string purpose = kind.value("purpose", "");
            const std::pair<int, int> counts = {std::stoi(kind.at("cores").get<std::string>()),
                                                std::stoi(kind.at("logical").get<std::string>())};
            for (auto* sum :
                 {&kinds[purpose.find("efficiency") != std::string::npos ? "efficiency" : purpose],
                  &total}) {
                *sum = {sum->first + counts.first, sum->second + counts.second};
            }
        }
        for (const CoreKind& kind : topology.CoreKinds) {
            ourKinds[kind.Kind.value_or("")] = {kind.Cores, kind.Threads};
        }
        compare(name, "logical processors", static_cast<int>(topology.Threads.value_or(0)),
                total.second, false);
        compare(name, "cores per socket",
                static_cast<int>(topology.Cores.value_or(0) / topology.Sockets.value_or(1)),
                total.first, false);
        if (kinds.size() > 1 && cpus.front().FindReported(0x1a) == nullptr) {
            ++tally["core kinds with their counts"].Unknown;
        } else if (kinds.size() > 1) {
            compare(name, "core kinds with their counts", ourKinds, kinds);
        }
    }
    for (const auto& [fact, counts] : tally) {
        if (counts.Compared > 0) {
            std::printf("%s: %d of %d agree\n", fact.c_str(), counts.Agree, counts.Compared);
        }
        if (counts.Unknown > 0) {
            std::printf("%s: unknown on %d\n", fact.c_str(), counts.Unknown);
        }
        for (const std::string& file : counts.Disagreeing) {
            std::printf("    disagrees: %s\n", file.c_str());
        }
    }
}
