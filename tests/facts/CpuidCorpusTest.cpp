#include "facts/DumpIdentity.h"
#include "platform/FileSystem.h"

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

} // namespace

// Every dump of the corpus of real processors is read whole, and the
// identity its answers tell agrees with what a current libcpuid says of it.
TEST(CpuidCorpus, EveryDumpIsReadAndItsIdentityAgrees) {
    const fs::path folder = QUEL_CORPUS_DIR "/cpuid";
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no corpus of processors at " << folder << "; nothing was checked";
    }
    std::map<std::string, std::pair<int, int>> tally; // fact: agreeing, compared
    const auto compare = [&tally](const std::string& file, const char* fact, const auto& ours,
                                  const auto& expected) {
        auto& [agree, total] = tally[fact];
        ++total;
        agree += ours == expected ? 1 : 0;
        EXPECT_EQ(ours, expected) << file << ": " << fact;
    };
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
    }
    for (const auto& [fact, counts] : tally) {
        std::printf("%-32s %d of %d agree\n", fact.c_str(), counts.first, counts.second);
    }
}
