#include "facts/ReportFacts.h"

#include <gtest/gtest.h>
#include <map>

TEST(ReportFacts, MissingOrNullFactsAreUnknown) {
    const nlohmann::json bare = {{"processor", {{"brand", nullptr}, {"cores", "two"}}},
                                 {"caches", nullptr}};
    for (const FactGroup& group : ReportFacts(bare, {})) {
        for (const auto& [label, value] : group.Rows) {
            EXPECT_NE(value.find("unknown"), std::string::npos) << label << ": " << value;
        }
    }
}

TEST(ReportFacts, CachesAndMemoryInBinaryUnits) {
    const nlohmann::json info = {
        {"caches",
         {{"l1d",
           {{{"size_bytes", 49152}, {"instances", 2}, {"cores_each", 1}, {"threads_each", 2}}}}}},
        {"memory", {{"total_bytes", 25276137472LL}}}};
    std::map<std::string, std::string> facts;
    for (const FactGroup& group : ReportFacts(info, {})) {
        facts.insert(group.Rows.begin(), group.Rows.end());
    }
    EXPECT_EQ(facts["L1 data"], "48 KiB × 2 (1 core, 2 threads each)");
    EXPECT_EQ(facts["Memory"], "23.5 GiB");
}
