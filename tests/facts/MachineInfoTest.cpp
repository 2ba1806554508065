#include "facts/MachineInfo.h"
#include "facts/MachineInfoJson.h"
#include "facts/MachineInfoText.h"
#include "facts/Utf8Text.h"
#include "tests/facts/FakeSystemTree.h"
#include "tests/support/FakeProcessorLibrary.h"
#include "tests/support/FakeSystemStatus.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(Utf8Text, KeepsUtf8AndReadsAnythingElseAsLatin1) {
    const struct {
        std::string text, utf8;
    } cases[] = {
        {"Plain", "Plain"},
        {"Jos\xc3\xa9", "Jos\xc3\xa9"},
        {"Jos\xe9", "Jos\xc3\xa9"},
        {"\xb5P \xff", "\xc2\xb5P \xc3\xbf"},
        {"\xc0\xaf", "\xc3\x80\xc2\xaf"},             // overlong "/"
        {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"}, // a surrogate
        {"\xe2\x82", "\xc3\xa2\xc2\x82"},             // cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8Text(c.text), c.utf8) << c.text;
    }
}

class MachineInfoTest : public ::testing::Test {
  protected:
    MachineInfo Collect() {
        return CollectMachineInfo(library, system, tree.Root(),
                                  CpuTopologyFromSynthetic("pack:1 core:2 pu:2"));
    }

    FakeProcessorLibrary library;
    FakeSystemStatus system;
    FakeSystemTree tree;
};

TEST_F(MachineInfoTest, JsonCarriesTheWindowTextsAsUtf8) {
    library.Name = "Quel\xe9 486";
    library.Caps = {{57, 64}, {53, 48}, {61, 2048}, {4, 1}, {38, 7}};
    system.Ticks = (3 * 3600 + 25 * 60 + 59) * 1000ull;
    system.TotalPhys = 8ull << 30;
    system.AvailPhys = 6ull << 30;
    system.MemoryLoad = 25;
    system.UserName = "j\xf6rg";
    library.Readings = {50, 7}; // since boot, then over the moment the facts took
    tree.Write("/etc/machine-id", "0123456789abcdef0123456789abcdef\n");
    tree.Write("/etc/os-release", "PRETTY_NAME=\"Fake OS 1\"\n");

    const nlohmann::json json = MachineInfoJson(Collect());
    const nlohmann::json& window = json.at("window");
    EXPECT_EQ(window.at("cpu_name"), "Quel\xc3\xa9 486");
    EXPECT_EQ(window.at("user_name"), "j\xc3\xb6rg");
    EXPECT_EQ(window.at("up_time"), "03 h. 25 min.");
    EXPECT_EQ(window.at("speed"), "1000 MHz");
    EXPECT_EQ(window.at("l1_instruction_cache"), "64 KB");
    EXPECT_EQ(window.at("l1_data_cache"), "48 KB");
    EXPECT_EQ(window.at("l2_cache"), "2048 KB");
    EXPECT_EQ(window.at("total_ram"), "8192 MB");
    EXPECT_EQ(window.at("used_ram"), "25 %");
    EXPECT_EQ(window.at("cpu_usage"), "7 %");
    ASSERT_EQ(window.at("features").size(), 36u);
    EXPECT_EQ(window.at("features")[0],
              nlohmann::json({{"name", "Supports CPUID Instruction"}, {"present", true}}));
    EXPECT_EQ(window.at("features")[29].at("present"), true) << "PowerNow! takes any non-zero";
    EXPECT_EQ(window.at("features")[1].at("present"), false);

    EXPECT_EQ(json.at("memory"), nlohmann::json({{"total_bytes", 8ull << 30},
                                                 {"available_bytes", 6ull << 30},
                                                 {"used_percent", 25}}));
    EXPECT_EQ(json.at("system").at("user"), "j\xc3\xb6rg");
    EXPECT_EQ(json.at("system").at("up_time_seconds"), 3 * 3600 + 25 * 60 + 59);
    EXPECT_EQ(json.at("system").at("distribution"), "Fake OS 1");
    EXPECT_EQ(json.at("machine_id"), "a2e21841c30b6536");
    EXPECT_EQ(json.at("processor").at("threads"), 4);
    EXPECT_EQ(json.at("clock_mhz"),
              nlohmann::json({{"base", nullptr}, {"max", nullptr}, {"current", nullptr}}));
    EXPECT_NO_THROW(json.dump()) << "every text is valid UTF-8";
}

TEST_F(MachineInfoTest, UnknownFactsAreNull) {
    system.UserName = "";
    const nlohmann::json json = MachineInfoJson(
        CollectMachineInfo(library, system, tree.Root(), std::optional<CpuTopology>()));
    for (const char* key : {"total_bytes", "available_bytes", "used_percent"}) {
        EXPECT_TRUE(json.at("memory").at(key).is_null()) << key;
    }
    for (const char* key : {"user", "distribution", "frequency_governors"}) {
        EXPECT_TRUE(json.at("system").at(key).is_null()) << key;
    }
    for (const char* key : {"sockets", "cores", "threads", "core_kinds"}) {
        EXPECT_TRUE(json.at("processor").at(key).is_null()) << key;
    }
    EXPECT_TRUE(json.at("caches").is_null());
    EXPECT_TRUE(json.at("machine_id").is_null());
}

TEST_F(MachineInfoTest, TextValuesStartInOneColumn) {
    library.Name = "Quel\xe9";
    // Figures whose window texts do not start with a space.
    system.TotalPhys = 1ull << 30;
    system.AvailPhys = 1ull << 29;
    system.MemoryLoad = 50;
    std::istringstream lines(MachineInfoText(Collect()));
    std::string line;
    std::size_t column = 0;
    int values = 0;
    while (std::getline(lines, line)) {
        if (line.rfind("  ", 0) != 0) {
            continue; // a group's heading or the gap before it
        }
        const std::size_t colon = line.find(": ");
        ASSERT_NE(colon, std::string::npos) << line;
        const std::size_t start = line.find_first_not_of(' ', colon + 1);
        if (column == 0) {
            column = start;
        }
        EXPECT_EQ(start, column) << line;
        ++values;
    }
    EXPECT_GT(values, 36 + 15);
}

} // namespace
